#include "ui/winners/BestWindow.h"

#include "core/data/DataFiles.h"
#include "ui/look/ErrorReport.h"
#include "ui/look/Fonts.h"
#include "ui/look/WindowStyle.h"
#include "ui/winners/RoundedShape.h"

#include <QComboBox>
#include <QFileInfo>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QStyle>

#include <limits>

using namespace Qt::StringLiterals;
using namespace WindowStyle;

namespace {

// A text document spends most of its time per paragraph, so the listing goes in as
// paragraphs of many lines each, split by line separators: it looks the same, reads back
// the same through toPlainText(), and a hundred thousand records appear at once.
QString asDocumentText(QString text)
{
    constexpr int LinesPerParagraph = 50;
    int line = 0;
    for (QChar &c : text) {
        if (c == u'\n' && ++line % LinesPerParagraph != 0)
            c = QChar::LineSeparator;
    }
    return text;
}

} // namespace

TfBest::TfBest(GameState &state, const Clock &clock, QDir dataDir, QWidget *parent)
    : QWidget(parent, WindowStyle::FixedWindow),
      m_state(state), m_clock(clock), m_dataDir(std::move(dataDir))
{
    setObjectName(u"fBest"_s);
    setWindowTitle(u"Игроки, которые выиграли..."_s);
    setFixedSize(425, 280);
    WindowStyle::centreWhenShown(*this);
    setFont(Fonts::font(Fonts::Family::MsSansSerif, 11));
    QPalette pal = palette();
    pal.setColor(QPalette::Window, Qt::black);
    setPalette(pal);
    setAutoFillBackground(true);
}

void TfBest::ensureBuilt()
{
    if (Shape1)
        return;
    Shape1 = new RoundedShape(Teal, Qt::black, this);
    Shape1->setObjectName(u"Shape1"_s);
    Shape1->setGeometry(92, 8, 241, 25);

    Label1 = new QLabel(u"Победители программы \"Зыбкоцепье\""_s, this);
    Label1->setObjectName(u"Label1"_s);
    setTextColour(Label1, Lime);
    Label1->move(110, 16);
    Label1->adjustSize();

    ComboBox1 = new QComboBox(this);
    ComboBox1->setObjectName(u"ComboBox1"_s);
    ComboBox1->addItems({u"Показать всех игроков"_s, u"Кто играл за последние... (дней)"_s,
                         u"Самый большой выигрыш"_s, u"Самый маленький выигрыш"_s});
    ComboBox1->setEditable(false);
    ComboBox1->setGeometry(8, 56, 145, 21);
    ComboBox1->setCurrentIndex(-1);

    Label2 = new QLabel(u"Что бы вы хотели увидеть?"_s, this);
    Label2->setObjectName(u"Label2"_s);
    setTextColour(Label2, Red);
    Label2->move(8, 40);
    Label2->adjustSize();

    Vvod = new QSpinBox(this);
    Vvod->setObjectName(u"Vvod"_s);
    Vvod->setRange(std::numeric_limits<int>::min(), std::numeric_limits<int>::max());
    Vvod->setSingleStep(1);
    Vvod->setValue(0);
    Vvod->setGeometry(160, 56, 257, 22);

    GroupBox1 = new QGroupBox(u"Информация"_s, this);
    GroupBox1->setObjectName(u"GroupBox1"_s);
    setTextColour(GroupBox1, Lime);
    GroupBox1->setGeometry(8, 88, 409, 145);

    RichEdit1 = new QPlainTextEdit(GroupBox1);
    RichEdit1->setObjectName(u"RichEdit1"_s);
    RichEdit1->setGeometry(8, 16, 393, 121);
    RichEdit1->setReadOnly(true);
    RichEdit1->setFont(Fonts::font(Fonts::Family::MsSansSerif, 11));
    RichEdit1->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    RichEdit1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    RichEdit1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    QPalette textPal = RichEdit1->palette();
    textPal.setColor(QPalette::Base, Qt::black);
    textPal.setColor(QPalette::Text, Qt::white);
    RichEdit1->setPalette(textPal);

    BitBtn1 = new QPushButton(style()->standardIcon(QStyle::SP_DialogCloseButton), u"Закрыть"_s, this);
    BitBtn1->setObjectName(u"BitBtn1"_s);
    BitBtn1->setGeometry(175, 248, 75, 25);

    ComboBox1->setAccessibleName(u"Что показать"_s);
    Vvod->setAccessibleName(u"Число дней"_s);
    RichEdit1->setAccessibleName(u"Победители"_s);

    setTabOrder(ComboBox1, Vvod);
    setTabOrder(Vvod, RichEdit1);
    setTabOrder(RichEdit1, BitBtn1);

    showLabelsAsPlainText(*this);
    connect(BitBtn1, &QPushButton::clicked, this, &TfBest::BitBtn1Click);
    // Only a choice made by the user lists a view; clearing the choice on opening does not.
    connect(ComboBox1, &QComboBox::activated, this, &TfBest::ComboBox1Change);
    // Every change of the field's text counts. The spin box signals new numbers (typed or
    // by the arrows); its editor also signals text that is no number (emptied, a lone minus).
    connect(Vvod, &QSpinBox::textChanged, this, &TfBest::VvodChange);
    connect(Vvod->findChild<QLineEdit *>(), &QLineEdit::textChanged, this, [this] {
        if (!typedDays())
            VvodChange();
    });
}

void TfBest::openFromSettings()
{
    ensureBuilt();
    show();
    raise();
    activateWindow();
    ComboBox1->setCurrentIndex(-1);
    Vvod->hide();
    GroupBox1->hide();

    const QString name = QString::fromLatin1(DataFiles::WinnersFile);
    const QString path = DataFiles::path(m_dataDir, name);
    const QFileInfo info(path);
    if (!info.exists() && !info.isSymLink()) {
        // No game has been won yet: an empty list, not an error.
        ListBox1.clear();
    } else if (Status loaded = ListBox1.load(path, name); !loaded) {
        showError(loaded);
        return;
    }
    m_recordsLineCount = -1;
    m_state.uBest.BestLineCount = ListBox1.count();
}

void TfBest::BitBtn1Click()
{
    close();
}

void TfBest::ComboBox1Change(int index)
{
    // The area is emptied first; a listing replaces it in the same step.
    switch (WinnersQuery::View(index)) {
    case WinnersQuery::View::All:
        Vvod->hide();
        GroupBox1->show();
        showListing(records());
        break;
    case WinnersQuery::View::LastDays:
        // Listed only once the number of days changes.
        RichEdit1->clear();
        Vvod->show();
        GroupBox1->show();
        break;
    case WinnersQuery::View::Biggest:
    case WinnersQuery::View::Smallest: {
        Vvod->hide();
        GroupBox1->show();
        const auto found = WinnersQuery::View(index) == WinnersQuery::View::Biggest ? WinnersQuery::biggest(records())
                                                                                      : WinnersQuery::smallest(records());
        showListing(found ? QList<WinnersQuery::Record>{*found} : QList<WinnersQuery::Record>{});
        break;
    }
    }
}

void TfBest::VvodChange()
{
    // The area is emptied first; text that is not a whole number lists nothing.
    const std::optional<int> days = typedDays();
    if (ComboBox1->currentIndex() != int(WinnersQuery::View::LastDays) || !days) {
        RichEdit1->clear();
        return;
    }
    showListing(WinnersQuery::lastDays(records(), *days, m_clock.now()));
}

std::optional<int> TfBest::typedDays() const
{
    bool isNumber = false;
    const int days = Vvod->locale().toInt(Vvod->cleanText(), &isNumber);
    return isNumber ? std::optional<int>(days) : std::nullopt;
}

void TfBest::showError(const Status &status)
{
    ErrorReport::show(this, status);
}

void TfBest::setVisible(bool visible)
{
    // The elements must exist before the window is shown: children made while it is
    // being shown would stay hidden.
    if (visible)
        ensureBuilt();
    QWidget::setVisible(visible);
}


const QList<WinnersQuery::Record> &TfBest::records()
{
    // Every view reads the first BestLineCount lines of the window's copy.
    const int lineCount = m_state.uBest.BestLineCount;
    if (lineCount != m_recordsLineCount) {
        m_records = WinnersFile::records(ListBox1.lines(), lineCount);
        m_recordsLineCount = lineCount;
    }
    return m_records;
}

void TfBest::showListing(const QList<WinnersQuery::Record> &records)
{
    RichEdit1->setPlainText(asDocumentText(WinnersQuery::listing(records)));
}
