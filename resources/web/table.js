// The friends' page: one WebSocket to the host's game, a small state kept from
// the game's facts, and render() drawing that state. Server text only ever goes
// into textContent; the page works under a strict Content-Security-Policy.
'use strict';

(() => {
  const PROTOCOL = 1;
  const SECRET_KEY = 'zybkocepie.secret';
  const CODE_KEY = 'zybkocepie.code';
  const NAME_MAX = 12;
  const NOTICE_MS = 8000;
  const GIVE_UP_MS = 3 * 60 * 1000;
  const STALE_MS = 5000;

  const $ = (id) => document.getElementById(id);

  // Field readers: a message is whatever the network brought, so every field is
  // checked for its type before it reaches the state.
  const str = (x) => (typeof x === 'string' ? x : '');
  const int = (x) => (Number.isInteger(x) ? x : 0);
  const ints = (x) => (Array.isArray(x) ? x.filter(Number.isInteger) : []);
  const strs = (x) => (Array.isArray(x) ? x.map(str) : []);

  // The seat's secret, with the code of the table it belongs to.
  const storage = {
    load() {
      try {
        return { secret: localStorage.getItem(SECRET_KEY) || '', code: localStorage.getItem(CODE_KEY) || '' };
      } catch (e) {
        return { secret: '', code: '' };
      }
    },
    save(secret, code) {
      try {
        localStorage.setItem(SECRET_KEY, secret);
        localStorage.setItem(CODE_KEY, code);
      } catch (e) { /* private mode: the seat lasts for this page only */ }
    },
    forget() {
      try {
        localStorage.removeItem(SECRET_KEY);
        localStorage.removeItem(CODE_KEY);
      } catch (e) { /* nothing stored */ }
    },
  };

  const state = {
    screen: 'join', // join | lobby | game | over | closed
    secret: '',
    name: '',
    code: '',
    joining: false,
    lobby: { players: [], code: '' },
    you: 0,
    names: [],
    humans: [],
    connected: [],
    gone: new Set(), // voted off, still drawn until the next round starts
    hidden: new Set(), // out of the game and no longer drawn
    chain: [],
    step: 0,
    bank: 0,
    prize: 0,
    prizeShown: false,
    round: 0,
    seconds: null,
    roundOver: false,
    question: null,
    turnId: 0,
    answeredId: 0,
    chosen: -1,
    judged: null,
    bankSeat: 0,
    bankSent: false,
    vote: null, // { candidates: [seats], mine: seat or 0 }
    votes: new Map(), // seat -> the seat it voted for
    out: false,
    duel: null,
    hostLine: '',
    over: null,
    closedReason: '',
  };

  // ---- Connection -------------------------------------------------------

  let socket = null;
  let retries = 0;
  let retryTimer = 0;
  let finished = false; // the game is over or the table closed: no reconnecting
  let pendingJoin = null;
  let lostSince = 0;

  function socketUrl() {
    const scheme = location.protocol === 'https:' ? 'wss:' : 'ws:';
    return `${scheme}//${location.host}/ws`;
  }

  function connect() {
    clearTimeout(retryTimer);
    retryTimer = 0;
    if (finished || (socket && socket.readyState <= WebSocket.OPEN)) return;
    let ws;
    try {
      ws = new WebSocket(socketUrl());
    } catch (e) {
      lost();
      return;
    }
    socket = ws;
    ws.addEventListener('open', () => {
      retries = 0;
      setLost(false);
      if (state.secret) send({ type: 'resume', secret: state.secret });
      else if (pendingJoin) send(pendingJoin);
    });
    ws.addEventListener('message', (ev) => receive(ev.data));
    ws.addEventListener('close', () => {
      if (socket !== ws) return;
      socket = null;
      lost();
    });
  }

  function lost() {
    if (finished) return;
    if (!lostSince) lostSince = Date.now();
    clearTimeout(retryTimer);
    if (Date.now() - lostSince > GIVE_UP_MS) {
      // The host has most likely closed the game; a tap on the page (or
      // coming back to it) tries again.
      setLost(true, 'Стол не отвечает. Коснитесь страницы, чтобы попробовать снова.');
      return;
    }
    setLost(true);
    // Quick at first (a blip), then every few seconds: the seat is kept for a minute.
    const delay = Math.min(5000, 500 * 2 ** retries) + Math.floor(Math.random() * 300);
    retries = Math.min(retries + 1, 10);
    retryTimer = setTimeout(connect, delay);
  }

  function setLost(on, text = 'Связь потеряна, переподключаемся…') {
    if (!on) lostSince = 0;
    $('lost').textContent = text;
    $('lost').hidden = !on;
  }

  // A phone that slept may hold a socket that is dead but not yet closed, or be
  // waiting out a long retry delay: when the page is back after a while, take a
  // fresh connection and the seat with it (resume redraws everything).
  let hiddenAt = 0;
  function wake() {
    if (document.visibilityState !== 'visible') {
      hiddenAt = hiddenAt || Date.now();
      return;
    }
    const away = hiddenAt ? Date.now() - hiddenAt : 0;
    hiddenAt = 0;
    if (finished) return;
    if (socket && away > STALE_MS && state.secret) {
      const ws = socket;
      socket = null;
      ws.close();
    }
    if (!socket) {
      retries = 0;
      lostSince = 0;
      connect();
    }
  }

  function send(message) {
    if (!socket || socket.readyState !== WebSocket.OPEN) {
      notice('Нет связи с игрой, попробуйте ещё раз через секунду.');
      return false;
    }
    socket.send(JSON.stringify({ v: PROTOCOL, ...message }));
    return true;
  }

  function finish() {
    finished = true;
    state.secret = '';
    storage.forget();
    clearTimeout(retryTimer);
    setLost(false);
    if (socket) {
      const ws = socket;
      socket = null;
      ws.close();
    }
  }

  // ---- Refusals and notices ---------------------------------------------

  let noticeTimer = 0;
  function notice(text) {
    const box = $('notice');
    box.textContent = text;
    box.hidden = !text;
    clearTimeout(noticeTimer);
    if (text) noticeTimer = setTimeout(() => { box.hidden = true; }, NOTICE_MS);
  }

  // ---- The game's facts -------------------------------------------------

  function newRound() {
    for (const seat of state.gone) state.hidden.add(seat);
    state.gone.clear();
    state.step = 0;
    state.bank = 0;
    state.prizeShown = false;
    state.roundOver = false;
    state.question = null;
    state.turnId = 0;
    state.judged = null;
    state.bankSeat = 0;
    state.vote = null;
    state.votes.clear();
  }

  const handlers = {
    welcome(m) {
      state.secret = str(m.secret);
      if (state.secret) storage.save(state.secret, state.code);
      state.name = str(m.name) || state.name;
      state.joining = false;
      pendingJoin = null;
      if (state.screen === 'join') state.screen = 'lobby';
    },
    refused(m) {
      const what = str(m.what);
      notice(str(m.reason) || 'Сервер отклонил запрос.');
      if (what === 'resume') {
        // The seat is gone (the minute passed, or another table): start afresh.
        state.secret = '';
        storage.forget();
        state.screen = 'join';
        if (pendingJoin) send(pendingJoin);
      } else if (what === 'join') {
        state.joining = false;
        pendingJoin = null;
      }
    },
    lobby(m) {
      state.lobby = { players: strs(m.players), code: str(m.code) };
      if (state.screen === 'join') state.screen = 'lobby';
    },
    seated(m) {
      state.screen = 'game';
      state.you = int(m.you);
      state.names = strs(m.names);
      state.humans = ints(m.humans);
      state.chain = ints(m.chain);
      state.gone.clear();
      state.hidden.clear();
      state.out = false;
      state.duel = null;
      state.round = 0;
      state.seconds = null;
      state.prize = 0;
      newRound();
      // Back at the table after being voted off: the seat is empty now.
      state.out = state.you !== 0 && !nameOf(state.you);
      buildSeats();
      buildChain();
    },
    host(m) { state.hostLine = str(m.text); },
    round(m) {
      newRound();
      state.duel = null;
      state.round = int(m.round);
      state.seconds = int(m.seconds);
      state.prize = int(m.prize);
      // Sent again on resume, a round under way brings its bank and step.
      state.bank = int(m.bank);
      state.step = int(m.step);
    },
    clock(m) { state.seconds = int(m.seconds); },
    question(m) {
      const answers = strs(m.answers);
      state.question = {
        id: int(m.id),
        seat: int(m.seat),
        name: str(m.name),
        text: str(m.text),
        answers: [answers[0] || '', answers[1] || ''],
        duel: m.duel === true,
      };
      state.judged = null;
      state.chosen = -1;
      state.bankSeat = 0;
    },
    yourTurn(m) {
      state.turnId = int(m.id);
      // A phone lying on the table: a short buzz where the browser can.
      // (Browsers refuse it before the first tap on the page.)
      const active = !navigator.userActivation || navigator.userActivation.hasBeenActive;
      if (navigator.vibrate && active) navigator.vibrate(200);
    },
    judged(m) {
      // `right` is the right answer's index, as on the host's table.
      const chosen = int(m.chosen);
      const right = int(m.right);
      state.judged = { seat: int(m.seat), chosen, right, correct: chosen === right, word: str(m.word) };
      state.step = int(m.chain);
      state.bank = int(m.bank);
      if (state.judged.seat === state.you) state.turnId = 0;
      if (m.duel === true && state.duel) {
        state.duel.a = int(m.scoreA);
        state.duel.b = int(m.scoreB);
      }
    },
    bankOffer(m) {
      state.bankSeat = int(m.seat);
      state.bankSent = false;
    },
    banked(m) {
      state.bank = int(m.bank);
      state.step = 0;
      if (int(m.seat) === state.bankSeat) state.bankSeat = 0;
    },
    roundEnded() {
      state.roundOver = true;
      state.question = null;
      state.turnId = 0;
      state.bankSeat = 0;
    },
    prize(m) {
      state.prize = int(m.prize);
      state.prizeShown = true;
    },
    voteOpen(m) {
      state.vote = { candidates: ints(m.candidates), mine: 0 };
      state.votes.clear();
      state.question = null;
      buildCandidates();
    },
    voted(m) {
      const seat = int(m.seat);
      state.votes.set(seat, int(m.for));
      if (seat === state.you && state.vote) state.vote.mine = int(m.for);
    },
    votedOff(m) {
      const seat = int(m.seat);
      state.gone.add(seat);
      if (seat === state.you) state.out = true;
      state.vote = null;
    },
    duel(m) {
      newRound();
      state.duel = {
        seatA: int(m.seatA), nameA: str(m.nameA),
        seatB: int(m.seatB), nameB: str(m.nameB),
        a: 0, b: 0,
      };
    },
    duelScore(m) {
      if (!state.duel) return;
      state.duel.a = int(m.a);
      state.duel.b = int(m.b);
    },
    over(m) {
      state.over = { winner: m.winner, amount: int(m.amount), you: m.you === true };
      state.screen = 'over';
      finish();
    },
    presence(m) { state.connected = ints(m.connected); },
    closed(m) {
      state.closedReason = str(m.reason);
      // A table closed after the game's end keeps the result on screen.
      if (state.screen !== 'over') state.screen = 'closed';
      finish();
    },
  };

  function receive(data) {
    if (typeof data !== 'string') return;
    let m;
    try { m = JSON.parse(data); } catch (e) { return; }
    if (!m || typeof m !== 'object' || typeof m.type !== 'string') return;
    if (!Object.prototype.hasOwnProperty.call(handlers, m.type)) return;
    handlers[m.type](m);
    render();
  }

  // ---- The player's actions ---------------------------------------------

  function join(ev) {
    ev.preventDefault();
    const name = $('name').value.trim();
    const code = $('code').value.trim().toUpperCase();
    $('code').value = code;
    if (!name) return notice('Введите имя.');
    if ([...name].length > NAME_MAX) return notice(`Имя — не длиннее ${NAME_MAX} знаков.`);
    if (!/^[0-9A-ZА-ЯЁ]{4}$/.test(code)) return notice('Код стола — 4 буквы или цифры с экрана ведущего.');
    notice('');
    state.name = name;
    state.joining = true;
    state.code = code;
    pendingJoin = { type: 'join', code, name };
    if (socket && socket.readyState === WebSocket.OPEN && !state.secret) send(pendingJoin);
    else connect();
    render();
  }

  function answer(index) {
    const q = state.question;
    if (!q || state.turnId !== q.id || state.answeredId === q.id) return;
    if (!send({ type: 'answer', answer: index, question: q.id })) return;
    state.answeredId = q.id;
    state.chosen = index;
    render();
  }

  function takeBank() {
    if (state.bankSeat !== state.you || state.bankSent) return;
    if (!send({ type: 'bank' })) return;
    state.bankSent = true;
    render();
  }

  function vote(seat) {
    if (!state.vote || state.vote.mine || state.out) return;
    if (!send({ type: 'vote', seat })) return;
    state.vote.mine = seat;
    render();
  }

  // ---- Drawing ------------------------------------------------------------

  const money = (n) => String(n).replace(/\B(?=(\d{3})+(?!\d))/g, ',');
  const nameOf = (seat) => str(state.names[seat]);
  const watching = () => state.out || state.you === 0;

  // Buttons and rows are built once per game or vote, then only updated, so a
  // tap is never lost to a redraw on the next clock tick.
  function buildSeats() {
    const list = $('seats');
    list.replaceChildren();
    for (let seat = 1; seat <= 8; seat++) {
      const item = document.createElement('li');
      item.dataset.seat = String(seat);
      const name = document.createElement('span');
      name.className = 'seat-name';
      const you = document.createElement('span');
      you.className = 'seat-you';
      const voteFor = document.createElement('span');
      voteFor.className = 'seat-vote';
      item.append(name, you, voteFor);
      list.append(item);
    }
  }

  function buildChain() {
    const list = $('chain');
    list.replaceChildren();
    state.chain.forEach((value, i) => {
      const item = document.createElement('li');
      item.dataset.step = String(i + 1);
      item.textContent = money(value);
      list.append(item);
    });
  }

  function buildCandidates() {
    const box = $('candidates');
    box.replaceChildren();
    for (const seat of state.vote.candidates) {
      if (seat === state.you) continue;
      const button = document.createElement('button');
      button.type = 'button';
      button.className = 'candidate';
      button.dataset.seat = String(seat);
      button.textContent = nameOf(seat) || `Место ${seat}`;
      button.addEventListener('click', () => vote(seat));
      box.append(button);
    }
  }

  function renderSeats() {
    const q = state.question;
    const d = state.duel;
    for (const item of $('seats').children) {
      const seat = Number(item.dataset.seat);
      const name = nameOf(seat);
      const inDuel = !d || seat === d.seatA || seat === d.seatB;
      item.hidden = !name || state.hidden.has(seat) || !inDuel;
      item.classList.toggle('me', seat === state.you);
      item.classList.toggle('turn', !!q && q.seat === seat);
      item.classList.toggle('human', state.humans.includes(seat));
      item.classList.toggle('online', state.connected.includes(seat));
      item.classList.toggle('gone', state.gone.has(seat));
      // Your own name keeps its line whole: «(вы)» has one of its own.
      item.children[0].textContent = name;
      item.children[1].textContent = seat === state.you ? '(вы)' : '';
      const target = state.votes.get(seat);
      item.children[2].textContent = target ? nameOf(target) : '';
    }
  }

  function renderQuestion() {
    const q = state.question;
    $('question').hidden = !q;
    if (!q) return;
    const mine = q.seat === state.you && state.you !== 0;
    const open = mine && state.turnId === q.id && state.answeredId !== q.id && !state.judged;
    $('question').classList.toggle('mine', mine);
    $('questionText').textContent = q.text;
    q.answers.forEach((text, i) => {
      const button = $(`answer${i}`);
      button.textContent = text;
      button.disabled = !open;
      const j = state.judged;
      const picked = j ? j.chosen === i : state.chosen === i && state.answeredId === q.id;
      button.classList.toggle('chosen', picked);
      // Once judged, the right answer is green whoever chose it, a wrong choice red.
      button.classList.toggle('right', !!j && j.right === i);
      button.classList.toggle('wrong', !!j && picked && !j.correct);
    });
    const j = state.judged;
    $('judged').textContent = j ? (j.word || (j.correct ? 'Верно!' : 'Неверно.')) : '';
    $('judged').className = `judged${j ? (j.correct ? ' right' : ' wrong') : ''}`;
  }

  function renderTurn() {
    const q = state.question;
    let text = '';
    if (state.bankSeat !== 0 && state.bankSeat === state.you && !state.bankSent) {
      text = 'Следующий вопрос ваш. Можно забрать банк!';
    } else if (q) {
      if (q.seat === state.you && state.you !== 0) text = state.turnId === q.id && state.answeredId !== q.id ? 'Ваш ход! Выберите ответ.' : 'Ваш ход';
      else text = `Отвечает: ${q.name || nameOf(q.seat)}`;
    } else if (state.vote) {
      text = 'Голосование';
    } else if (state.roundOver) {
      text = `Раунд ${state.round} окончен`;
    } else if (state.round === 0 && !state.duel) {
      text = 'Ждём, когда ведущий начнёт игру…';
    }
    $('turn').textContent = text;
  }

  function renderVote() {
    const v = state.vote;
    $('vote').hidden = !v || watching();
    if (!v) return;
    for (const button of $('candidates').children) {
      const seat = Number(button.dataset.seat);
      button.disabled = v.mine !== 0;
      button.classList.toggle('chosen', v.mine === seat);
    }
    $('voteNote').textContent = v.mine
      ? `Ваш голос: ${nameOf(v.mine)}. Ждём остальных…`
      : 'Нажмите на имя. Голос отдаётся один раз.';
  }

  function renderStatus() {
    const d = state.duel;
    $('status').hidden = state.screen !== 'game';
    $('roundBox').textContent = d ? 'Дуэль' : state.round ? `Раунд ${state.round}` : '';
    $('clockLabel').textContent = d ? 'Счёт:' : 'Время:';
    $('clock').textContent = d ? `${d.a}:${d.b}` : state.seconds === null ? '—' : String(state.seconds);
    $('bank').textContent = String(state.bank);
    $('prizeBox').hidden = !state.prizeShown && !state.prize;
    $('prize').textContent = String(state.prize);
  }

  function renderChain() {
    for (const item of $('chain').children) {
      item.classList.toggle('lit', Number(item.dataset.step) === state.step);
    }
  }

  function renderOver() {
    const o = state.over;
    if (!o) return;
    let winner = typeof o.winner === 'number' ? nameOf(o.winner) : str(o.winner);
    $('overWinner').textContent = winner ? `Победитель: ${winner}` : 'Победителя за столом нет.';
    $('overAmount').textContent = winner ? `Выигрыш: ${o.amount} руб.` : '';
    $('overYou').textContent = o.you ? 'Это вы! Поздравляем!' : 'Спасибо за игру!';
    $('overYou').classList.toggle('win', o.you);
  }

  function render() {
    document.body.dataset.screen = state.screen;
    for (const id of ['join', 'lobby', 'game', 'over', 'closed']) $(id).hidden = state.screen !== id;

    $('joinButton').disabled = state.joining;
    $('joinButton').textContent = state.joining ? 'Садимся…' : 'Сесть за стол';

    // Coming back with a kept seat: the lobby waits for the server's word.
    const back = !state.name && !state.lobby.players.length;
    $('lobbyWho').hidden = back;
    $('lobbyHint').textContent = back ? 'Возвращаемся за стол…' : 'Игру начнёт ведущий. За столом:';
    $('lobbyYou').textContent = state.name;
    $('lobbyCode').textContent = state.lobby.code;
    $('lobbyPlayers').replaceChildren(...state.lobby.players.map((name) => {
      const item = document.createElement('li');
      item.textContent = name;
      return item;
    }));

    renderStatus();
    if (state.screen === 'game') {
      $('hostLine').textContent = state.hostLine;
      renderTurn();
      renderQuestion();
      renderChain();
      renderSeats();
      renderVote();
      $('bankButton').hidden = !(state.bankSeat !== 0 && state.bankSeat === state.you && !state.bankSent && !state.out);
      const d = state.duel;
      $('duel').hidden = !d;
      if (d) {
        $('duelA').textContent = d.nameA;
        $('duelB').textContent = d.nameB;
        $('duelScore').textContent = `${d.a}:${d.b}`;
      }
      $('out').hidden = !state.out;
    }
    renderOver();
    $('closedReason').textContent = state.closedReason;

    // For the test driver and for styling: what the player can do right now.
    const q = state.question;
    const b = document.body.dataset;
    b.turn = q && state.turnId === q.id && state.answeredId !== q.id && q.seat === state.you ? 'yes' : 'no';
    document.title = b.turn === 'yes' ? '● Ваш ход — Зыбкоцепье' : 'Зыбкоцепье — стол для друзей';
    b.vote = state.vote && !state.vote.mine && !watching() ? 'open' : 'no';
    b.out = state.out ? 'yes' : 'no';
    b.duel = state.duel ? 'yes' : 'no';
  }

  // ---- Start --------------------------------------------------------------

  function start() {
    const code = (new URLSearchParams(location.search).get('code') || '').slice(0, 4).toUpperCase();
    if (code) $('code').value = code;
    const kept = storage.load();
    // A link to another table (a new game's code) starts afresh.
    if (kept.secret && (!code || !kept.code || code === kept.code)) {
      state.secret = kept.secret;
      state.code = kept.code;
      state.screen = 'lobby';
    } else if (kept.secret) {
      storage.forget();
    }
    $('joinForm').addEventListener('submit', join);
    $('answer0').addEventListener('click', () => answer(0));
    $('answer1').addEventListener('click', () => answer(1));
    $('bankButton').addEventListener('click', takeBank);
    document.addEventListener('visibilitychange', wake);
    window.addEventListener('online', wake);
    window.addEventListener('pageshow', wake);
    $('lost').addEventListener('click', wake);
    render();
    (code && !state.secret ? $('name') : $('joinButton')).focus();
    connect();
  }

  start();
})();
