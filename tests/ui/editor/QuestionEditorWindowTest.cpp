#include "ui/editor/QuestionEditorWindow.h"

#include "TestSupport.h"
#include "core/data/LineStore.h"
#include "core/data/QuestionBase.h"
#include "ui/editor/ImportDialog.h"

#include <QAbstractItemModel>
#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

// The window with its questions to the player answered by the test.
class Window : public QuestionEditorWindow
{
public:
    using QuestionEditorWindow::QuestionEditorWindow;
    QStringList errors;
    QStringList asked;
    bool agree = true;
    QuestionImport::Plan plan;
    QString dialogText;
    QList<Unsaved> answers;  // to «Записать изменения?», in turn

protected:
    void showError(const Status &status) override { errors.append(status.message + u' ' + status.detail); }
    Unsaved askToSave() override { return answers.isEmpty() ? Unsaved::Cancel : answers.takeFirst(); }
    bool confirm(const QString &question, const QString &) override
    {
        asked.append(question);
        return agree;
    }
    bool confirmImport(const QuestionImport::Plan &p, const QString &fileName) override
    {
        plan = p;
        dialogText = ImportDialog::summary(p, fileName) + u"\n"_s + ImportDialog::unreadableList(p);
        return agree;
    }
};

// Question i reads "Вопрос i?", its right answer "Верно i" first, then "Неверно i".
QStringList questionLines(int from, int to)
{
    QStringList lines;
    for (int i = from; i < to; ++i)
        lines << u"?"_s << u"Вопрос %1?"_s.arg(i) << u"Верно %1"_s.arg(i) << u"Неверно %1"_s.arg(i) << u"0"_s;
    return lines;
}

QByteArray fileBytes(const QStringList &lines)
{
    return TestSupport::cp1251(lines.join(u"\r\n"_s) + u"\r\n"_s);
}

} // namespace

class QuestionEditorWindowTest : public QObject
{
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<Window> m_window;

    QString base() const { return m_dir->filePath(u"Vopros.txt"_s); }
    template <typename T>
    T *child(const QString &name) const
    {
        T *w = m_window->findChild<T *>(name);
        [&] { QVERIFY2(w, qPrintable(name)); }();
        return w;
    }
    QLineEdit *search() const { return child<QLineEdit>(u"SearchEdit"_s); }
    QLineEdit *questionField() const { return child<QLineEdit>(u"QuestionEdit"_s); }
    QTableView *list() const { return child<QTableView>(u"QuestionList"_s); }
    QStringList fileQuestions() const
    {
        LineStore store;
        [&] { QVERIFY(store.load(base()).ok()); }();
        QStringList texts;
        for (int start : QuestionBase::index(store.lines()).starts)
            texts.append(QuestionBase::question(store.lines(), start).text);
        return texts;
    }
    void type(QWidget *w, const QString &text)
    {
        w->setFocus();
        QTest::keyClick(w, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(w, Qt::Key_Backspace);
        // Key by key, as typed (QTest::keyClicks takes Latin-1 only).
        for (const QChar c : text) {
            QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c));
            QKeyEvent release(QEvent::KeyRelease, Qt::Key_unknown, Qt::NoModifier, QString(c));
            QApplication::sendEvent(w, &press);
            QApplication::sendEvent(w, &release);
        }
    }

private Q_SLOTS:
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        // Forty questions and a block cut short by the next one.
        TestSupport::writeFile(base(), fileBytes(questionLines(0, 20) + QStringList{u"?"_s, u"Сломанный"_s}
                                                 + questionLines(20, 40)));
        m_window = std::make_unique<Window>(QDir(m_dir->path()));
        m_window->open();
        QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
    }

    void cleanup()
    {
        m_window.reset();
        m_dir.reset();
    }

    void aNewPlayerFindsCorrectsRemovesAndImports()
    {
        QCOMPARE(m_window->shownBlocks().size(), 41);
        QVERIFY(child<QLabel>(u"CountLabel"_s)->text().contains(u"40 вопросов"_s));
        // The list shows whether it has the focus; both answers' marks are in the Tab order.
        search()->setFocus();
        const QImage withoutFocus = list()->viewport()->grab().toImage();
        list()->setFocus();
        QVERIFY(list()->viewport()->grab().toImage() != withoutFocus);
        for (const auto &[field, mark] : {std::pair{u"SecondAnswerEdit"_s, u"RightAnswer1"_s}, {u"FirstAnswerEdit"_s, u"RightAnswer0"_s}}) {
            child<QLineEdit>(field)->setFocus();
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QCOMPARE(QApplication::focusWidget()->objectName(), mark);
        }

        // Found by a word, in any case, and corrected.
        type(search(), u"вопрос 17"_s);
        QCOMPARE(m_window->shownBlocks(), QList<int>{17});
        QCOMPARE(questionField()->text(), u"Вопрос 17?"_s);
        type(questionField(), u" Сколько ног у паука?"_s);
        type(child<QLineEdit>(u"FirstAnswerEdit"_s), u"8"_s);
        QTest::keyClick(m_window.get(), Qt::Key_2, Qt::AltModifier);
        QTest::keyClick(m_window.get(), Qt::Key_S, Qt::ControlModifier);
        QVERIFY(m_window->errors.isEmpty());
        QVERIFY(fileQuestions().contains(u"Сколько ног у паука?"_s));
        QCOMPARE(m_window->editing().question(17).right, 1);

        // Another removed by Del from the list, and brought back by Ctrl+Z.
        type(search(), u"неверно 3"_s);
        QCOMPARE(m_window->shownBlocks(), (QList<int>{3, 13, 24, 31, 32, 33, 34, 35, 36, 37, 38, 39, 40}));
        list()->setFocus();
        QTest::keyClick(list(), Qt::Key_Delete);
        QVERIFY(m_window->asked.isEmpty());  // one question: no confirmation
        QVERIFY(!fileQuestions().contains(u"Вопрос 3?"_s));
        QCOMPARE(fileQuestions().size(), 39);
        search()->clear();  // every question shown: the one brought back is the current one
        QTest::keyClick(list(), Qt::Key_Z, Qt::ControlModifier);
        QVERIFY(fileQuestions().contains(u"Вопрос 3?"_s));
        QCOMPARE(m_window->currentBlock(), 3);
        QTest::keyClick(list(), Qt::Key_Delete);
        QCOMPARE(fileQuestions().size(), 39);
        QVERIFY(!fileQuestions().contains(u"Вопрос 3?"_s));

        // A file of 500 questions with 20 repeats and 3 broken blocks.
        QStringList file = questionLines(100, 577);
        for (int i = 0; i < 20; ++i)
            file += QStringList{u"?"_s, u"вопрос %1?"_s.arg(i + 20), u"НЕВЕРНО %1"_s.arg(i + 20), u"Верно %1"_s.arg(i + 20), u"1"_s};
        file += QStringList{u"?"_s, u"Без номера"_s, u"а"_s, u"б"_s, u"3"_s};
        file += QStringList{u"?"_s, u"Пустой ответ"_s, u""_s, u"б"_s, u"0"_s};
        file += QStringList{u"?"_s, u"Обрывок"_s};
        file += QStringList{u"?"_s, u"Ёж или еж?"_s, u"Ёж"_s, u"еж "_s, u"0"_s};
        const QString path = m_dir->filePath(u"новые.txt"_s);
        TestSupport::writeFile(path, file.join(u"\n"_s).toUtf8());
        m_window->agree = false;
        QVERIFY(!m_window->importFile(path));
        QCOMPARE(fileQuestions().size(), 39);  // nothing written before the player agrees
        QCOMPARE(m_window->plan.added.size(), 477);
        QCOMPARE(m_window->plan.repeats, 20);
        QVERIFY2(m_window->dialogText.contains(u"Строка 2490: последняя строка блока «3»"_s), qPrintable(m_window->dialogText));
        QVERIFY(m_window->dialogText.contains(u"Строка 2493: пустой первый ответ"_s));
        QVERIFY(m_window->dialogText.contains(u"Строка 2496: блок обрезан"_s));
        QVERIFY(m_window->dialogText.contains(u"Строка 2501: ответы одинаковые: «Ёж» и «еж »"_s));
        m_window->agree = true;
        QVERIFY(m_window->importFile(path));
        QCOMPARE(fileQuestions().size(), 39 + 477);
        // The list shows the first question added.
        QCOMPARE(questionField()->text(), u"Вопрос 100?"_s);

        // The next game's base holds the corrected question as one it can play.
        QVERIFY(fileQuestions().contains(u"Сколько ног у паука?"_s));
        QVERIFY(m_window->errors.isEmpty());
        // Ctrl+Z in a field with nothing of its own to undo takes the import back.
        QTest::keyClick(questionField(), Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(fileQuestions().size(), 39);
    }

    void anEditStaysUntilThePlayerSaysWhatToDoWithIt()
    {
        type(search(), u"вопрос 17"_s);
        type(questionField(), u"Новый текст"_s);
        QVERIFY(m_window->isWindowModified());
        search()->clear();  // the question is still in the list: the edit stays
        QCOMPARE(questionField()->text(), u"Новый текст"_s);
        const QPoint row16 = list()->visualRect(list()->model()->index(16, 1)).center();
        m_window->answers = {Window::Unsaved::Cancel, Window::Unsaved::Save};
        QTest::mouseClick(list()->viewport(), Qt::LeftButton, {}, row16);
        QCOMPARE(m_window->currentBlock(), 17);
        QCOMPARE(questionField()->text(), u"Новый текст"_s);
        QTest::mouseClick(list()->viewport(), Qt::LeftButton, {}, row16);
        QCOMPARE(m_window->currentBlock(), 16);
        QVERIFY(fileQuestions().contains(u"Новый текст"_s));
        QVERIFY(!m_window->isWindowModified());

        // Made into a copy of another question: said, and written only if the author wants it.
        type(questionField(), u"вопрос 1?"_s);
        type(child<QLineEdit>(u"SecondAnswerEdit"_s), u"Верно 1"_s);
        type(child<QLineEdit>(u"FirstAnswerEdit"_s), u"Неверно 1"_s);
        m_window->agree = false;
        m_window->answers = {Window::Unsaved::Discard};
        QTest::keyClick(m_window.get(), Qt::Key_2, Qt::AltModifier);
        QTest::keyClick(m_window.get(), Qt::Key_S, Qt::ControlModifier);
        QCOMPARE(m_window->asked, QStringList{u"Такой же вопрос уже есть в базе: вопрос 2. Записать ещё один?"_s});
        QVERIFY(fileQuestions().contains(u"Вопрос 16?"_s));
        // Dropped when the player says so, before an import.
        QVERIFY(!m_window->importFile(base()));
        QCOMPARE(questionField()->text(), u"Вопрос 16?"_s);
    }

    void fieldsRefuseWhatTheFileCannotHold_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("message");
        QTest::newRow("a marker") << u"QuestionEdit"_s << u"?"_s << u"Вопрос: Нельзя «?»"_s;
        QTest::newRow("empty") << u"FirstAnswerEdit"_s << u""_s << u"Первый ответ: Пусто!"_s;
        QTest::newRow("blanks") << u"SecondAnswerEdit"_s << u"   "_s << u"Второй ответ: Пусто!"_s;
        QTest::newRow("characters named") << u"QuestionEdit"_s << u"Зима ❄ или лето ☀?"_s
                                          << u"Вопрос: Плохие знаки «❄☀»"_s;
        QTest::newRow("answers the same") << u"SecondAnswerEdit"_s << u" ВЕРНО 0"_s << u"Ответы одинаковые!"_s;
    }

    void fieldsRefuseWhatTheFileCannotHold()
    {
        QFETCH(QString, field);
        QFETCH(QString, text);
        QFETCH(QString, message);
        const QByteArray before = TestSupport::readFile(base());
        auto *edit = child<QLineEdit>(field);
        type(edit, text);
        QTest::keyClick(edit, Qt::Key_Return);
        QCOMPARE(child<QLabel>(u"RefusalLabel"_s)->text(), message);
        QCOMPARE(TestSupport::readFile(base()), before);
        // The typed text stays, to be corrected, and the focus is on it.
        QCOMPARE(edit->text(), text);
        QCOMPARE(QApplication::focusWidget(), edit);
    }

    void aBrokenBlockIsMarkedAndFixedInPlace()
    {
        QTest::keyClick(m_window.get(), Qt::Key_F8);
        QCOMPARE(m_window->currentBlock(), 20);
        QAbstractItemModel *model = list()->model();
        const QModelIndex number = model->index(20, 0);
        QVERIFY(model->data(number, Qt::AccessibleTextRole).toString().startsWith(u"Вопрос 21 из 41, испорчен: "_s));
        QVERIFY(child<QLabel>(u"BlockLabel"_s)->text().startsWith(u"Блок 21 испорчен"_s));
        // No right answer is marked: saving asks for one.
        type(child<QLineEdit>(u"FirstAnswerEdit"_s), u"да"_s);
        type(child<QLineEdit>(u"SecondAnswerEdit"_s), u"нет"_s);
        QTest::keyClick(m_window.get(), Qt::Key_S, Qt::ControlModifier);
        QCOMPARE(child<QLabel>(u"RefusalLabel"_s)->text(), u"Отметьте верный ответ!"_s);
        QVERIFY(child<QLabel>(u"StatusLabel"_s)->text().isEmpty());
        QTest::keyClick(m_window.get(), Qt::Key_1, Qt::AltModifier);
        QTest::keyClick(m_window.get(), Qt::Key_S, Qt::ControlModifier);
        QCOMPARE(m_window->editing().brokenCount(), 0);
        QVERIFY(fileQuestions().contains(u"Сломанный"_s));
        QCOMPARE(fileQuestions().size(), 41);

        // A cell edited in place is written too; a refused text is not.
        QVERIFY(model->setData(model->index(5, 2), u"Правильно 5"_s, Qt::EditRole));
        QCOMPARE(m_window->editing().question(5).first, u"Правильно 5"_s);
        QVERIFY(!model->setData(model->index(5, 2), u"?"_s, Qt::EditRole));
        QCOMPARE(m_window->editing().question(5).first, u"Правильно 5"_s);
        QCOMPARE(model->data(model->index(5, 2), Qt::AccessibleTextRole).toString(), u"Первый ответ: Правильно 5, верный"_s);
    }

    void removingSeveralAsksFirstAndUndoBringsThemBack()
    {
        const QByteArray before = TestSupport::readFile(base());
        m_window->selectBlocks({2, 5, 30});
        m_window->agree = false;
        m_window->removePressed();
        QCOMPARE(m_window->asked, QStringList{u"Удалить из базы 3 вопроса?"_s});
        QCOMPARE(TestSupport::readFile(base()), before);
        m_window->agree = true;
        m_window->removePressed();
        QCOMPARE(m_window->editing().count(), 38);
        QVERIFY(!fileQuestions().contains(u"Вопрос 5?"_s));
        m_window->undoPressed();
        QCOMPARE(TestSupport::readFile(base()), before);
        QVERIFY(!child<QPushButton>(u"UndoButton"_s)->isEnabled());
    }

    void exportWritesTheSelectionAsUtf8Blocks()
    {
        m_window->selectBlocks({1, 3});
        const QString path = m_dir->filePath(u"два.txt"_s);
        QVERIFY(m_window->exportBlocks(path, {1, 3}));
        QCOMPARE(TestSupport::readFile(path), ((questionLines(1, 2) + questionLines(3, 4)).join(u"\r\n"_s) + u"\r\n"_s).toUtf8());
    }

    void aChangeByAnotherProgramIsReadWhenTheWindowComesBack()
    {
        m_window->openAt(u"Вопрос 12?"_s);
        QCOMPARE(m_window->currentBlock(), 12);
        TestSupport::writeFile(base(), fileBytes(questionLines(0, 3)));
        QEvent activate(QEvent::WindowActivate);
        QApplication::sendEvent(m_window.get(), &activate);
        QTRY_COMPARE(m_window->shownBlocks().size(), 3);
        QVERIFY(child<QLabel>(u"StatusLabel"_s)->text().contains(u"изменён вне редактора"_s));

        // Another program adds a question while the player edits another: the edit is written
        // on top of it, and the session's changes can still be undone.
        m_window->selectBlock(2);
        m_window->removePressed();
        TestSupport::writeFile(base(), fileBytes(questionLines(0, 2) + questionLines(5, 6)));
        m_window->selectBlock(0);
        type(questionField(), u"Новый текст"_s);
        m_window->savePressed();
        QVERIFY2(child<QLabel>(u"StatusLabel"_s)->text().contains(u"другая программа изменила файл"_s), qPrintable(child<QLabel>(u"StatusLabel"_s)->text() + m_window->errors.join(u"|")));
        QCOMPARE(fileQuestions(), (QStringList{u"Новый текст"_s, u"Вопрос 1?"_s, u"Вопрос 5?"_s}));
        m_window->undoPressed();
        m_window->undoPressed();
        QCOMPARE(fileQuestions(), (QStringList{u"Вопрос 0?"_s, u"Вопрос 1?"_s, u"Вопрос 5?"_s, u"Вопрос 2?"_s}));

        // One that changed the question edited: nothing written, the edit stays to be saved again.
        type(questionField(), u"Ещё текст"_s);
        TestSupport::writeFile(base(), fileBytes(QStringList{u"?"_s, u"Их текст"_s} + questionLines(0, 1).mid(2)));
        m_window->savePressed();
        QCOMPARE(m_window->errors.size(), 1);
        QVERIFY(m_window->errors.first().contains(u"другая программа изменила файл"_s));
        QCOMPARE(fileQuestions(), QStringList{u"Их текст"_s});
        m_window->savePressed();
        QCOMPARE(fileQuestions(), QStringList{u"Ещё текст"_s});
    }

    void aWindowMadeAheadShowsTheFileAsItIsWhenOpened()
    {
        // Made while the settings window is shown, from its reading of the base.
        Window ahead{QDir(m_dir->path())};
        LineStore read;
        QuestionFile file(base(), u"Vopros.txt"_s);
        QVERIFY(file.load(read).ok());
        ahead.prepare(read, file);
        QCOMPARE(ahead.shownBlocks().size(), 41);

        // The file changes before the player opens the editor: it shows the file as it is now,
        // with nothing said of a change, as none of the player's work was lost.
        TestSupport::writeFile(base(), fileBytes(questionLines(0, 3)));
        ahead.open();
        QCOMPARE(ahead.shownBlocks().size(), 3);
        QVERIFY(ahead.findChild<QLabel *>(u"StatusLabel"_s)->text().isEmpty());

        // Once opened, it keeps the session when made ahead again (the settings shown again
        // after they added a question): opening it then says that the file was changed.
        ahead.selectBlock(0);
        ahead.removePressed();
        TestSupport::writeFile(base(), fileBytes(questionLines(0, 5)));
        QVERIFY(file.load(read).ok());
        ahead.prepare(read, file);
        QCOMPARE(ahead.shownBlocks().size(), 2);
        QVERIFY(ahead.editing().canUndo());
        ahead.open();
        QCOMPARE(ahead.shownBlocks().size(), 5);
        QVERIFY(ahead.findChild<QLabel *>(u"StatusLabel"_s)->text().contains(u"изменён вне редактора"_s));
    }
};

QTEST_MAIN(QuestionEditorWindowTest)
#include "QuestionEditorWindowTest.moc"
