#include "ui/winners/WinnersWindow.h"

#include "core/data/DataFiles.h"
#include "ui/look/AccessibleRoles.h"
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
#include <QWindow>

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

WinnersWindow::WinnersWindow(GameState &state, const Clock &clock, QDir dataDir, QWidget *parent)
    // A dialog's window: the X platform tells the window manager whose window it is only for
    // dialogs, and window managers keep such a window above its owner.
    : LazyWindow(parent, WindowStyle::FixedWindow | Qt::Dialog),
      m_state(state), m_clock(clock), m_dataDir(std::move(dataDir))
{
    WindowStyle::setUpDarkWindow(*this, u"fBest"_s, u"Игроки, которые выиграли..."_s, 425, 280);
}

void WinnersWindow::build()
{
    m_shape = new RoundedShape(Teal, Qt::black, this);
    m_shape->setObjectName(u"Shape1"_s);
    m_shape->setGeometry(92, 8, 241, 25);

    m_heading = new QLabel(u"Победители программы \"Зыбкоцепье\""_s, this);
    m_heading->setObjectName(u"Label1"_s);
    setTextColour(m_heading, Lime);
    m_heading->move(110, 16);
    m_heading->adjustSize();

    m_viewChoice = new QComboBox(this);
    m_viewChoice->setObjectName(u"ComboBox1"_s);
    m_viewChoice->addItems({u"Показать всех игроков"_s, u"Кто играл за последние... (дней)"_s,
                         u"Самый большой выигрыш"_s, u"Самый маленький выигрыш"_s});
    m_viewChoice->setEditable(false);
    m_viewChoice->setGeometry(8, 56, 145, 21);
    m_viewChoice->setCurrentIndex(-1);

    m_viewLabel = new QLabel(u"Что бы вы хотели увидеть?"_s, this);
    m_viewLabel->setObjectName(u"Label2"_s);
    setTextColour(m_viewLabel, Red);
    m_viewLabel->move(8, 40);
    m_viewLabel->adjustSize();

    m_daysEdit = new QSpinBox(this);
    m_daysEdit->setObjectName(u"Vvod"_s);
    m_daysEdit->setRange(std::numeric_limits<int>::min(), std::numeric_limits<int>::max());
    m_daysEdit->setSingleStep(1);
    m_daysEdit->setValue(0);
    m_daysText = m_daysEdit->text();
    m_daysEdit->setGeometry(160, 56, 257, 22);

    m_infoBox = new QGroupBox(u"Информация"_s, this);
    m_infoBox->setObjectName(u"GroupBox1"_s);
    setTextColour(m_infoBox, Lime);
    m_infoBox->setGeometry(8, 88, 409, 145);

    m_listing = new QPlainTextEdit(m_infoBox);
    m_listing->setObjectName(u"RichEdit1"_s);
    m_listing->setGeometry(8, 16, 393, 121);
    m_listing->setReadOnly(true);
    m_listing->setFont(Fonts::font(Fonts::Family::MsSansSerif, 11));
    m_listing->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    m_listing->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_listing->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    QPalette textPal = m_listing->palette();
    textPal.setColor(QPalette::Base, Qt::black);
    textPal.setColor(QPalette::Text, Qt::white);
    m_listing->setPalette(textPal);

    m_closeButton = new QPushButton(style()->standardIcon(QStyle::SP_DialogCloseButton), u"Закрыть"_s, this);
    m_closeButton->setObjectName(u"BitBtn1"_s);
    m_closeButton->setGeometry(175, 248, 75, 25);

    m_viewChoice->setAccessibleName(u"Что показать"_s);
    m_daysEdit->setAccessibleName(u"Число дней"_s);
    m_listing->setAccessibleName(u"Победители"_s);

    setTabOrder(m_viewChoice, m_daysEdit);
    setTabOrder(m_daysEdit, m_listing);
    setTabOrder(m_listing, m_closeButton);

    showLabelsAsPlainText(*this);
    connect(m_closeButton, &QPushButton::clicked, this, &WinnersWindow::closePressed);
    // Only a choice made by the user lists a view; clearing the choice on opening does not.
    connect(m_viewChoice, &QComboBox::activated, this, &WinnersWindow::viewChosen);
    // Every change of the field's text counts, once. The spin box signals a new number (typed,
    // by the arrows or set), and only a new one: emptied and typed again, its number never
    // changed. Its editor signals what is typed, but nothing that the spin box sets.
    const auto textChanged = [this](const QString &text) {
        if (text == m_daysText)
            return;
        m_daysText = text;
        daysChanged();
    };
    connect(m_daysEdit, &QSpinBox::textChanged, this, textChanged);
    connect(m_daysEdit->findChild<QLineEdit *>(), &QLineEdit::textChanged, this, textChanged);
}

void WinnersWindow::open()
{
    ensureBuilt();
    show();
    raise();
    activateWindow();
    m_viewChoice->setCurrentIndex(-1);
    m_daysEdit->hide();
    m_infoBox->hide();

    const QString name = QString::fromLatin1(DataFiles::WinnersFile);
    const QString path = DataFiles::path(m_dataDir, name);
    const QFileInfo info(path);
    if (!info.exists() && !info.isSymLink()) {
        // No game has been won yet: an empty list, not an error.
        m_lines.clear();
    } else if (Status loaded = m_lines.load(path, name); !loaded) {
        showError(loaded);
        return;
    }
    m_recordsLineCount = -1;
    m_state.winners.lineCount = m_lines.count();
}

void WinnersWindow::openOver(QWidget *opener)
{
    if (m_opener)
        m_opener->removeEventFilter(this);
    m_opener = opener;
    opener->installEventFilter(this);
    // Made now so that the window manager learns whose window this is before it is mapped.
    ensureBuilt();
    create();
    windowHandle()->setTransientParent(opener->windowHandle());
    open();
}

bool WinnersWindow::eventFilter(QObject *watched, QEvent *event)
{
    // Minimised, the opener only leaves the screen for a while (its transient window with it).
    if (watched == m_opener && event->type() == QEvent::Hide && !event->spontaneous()) {
        m_opener->removeEventFilter(this);
        m_opener = nullptr;
        close();
    }
    return LazyWindow::eventFilter(watched, event);
}

void WinnersWindow::closePressed()
{
    close();
}

void WinnersWindow::viewChosen(int index)
{
    // The area is emptied first; a listing replaces it in the same step.
    switch (WinnersQuery::View(index)) {
    case WinnersQuery::View::All:
        m_daysEdit->hide();
        m_infoBox->show();
        showListing(records());
        break;
    case WinnersQuery::View::LastDays:
        // Listed only once the number of days changes.
        m_listing->clear();
        m_daysEdit->show();
        m_infoBox->show();
        break;
    case WinnersQuery::View::Biggest:
    case WinnersQuery::View::Smallest: {
        m_daysEdit->hide();
        m_infoBox->show();
        const auto found = WinnersQuery::View(index) == WinnersQuery::View::Biggest ? WinnersQuery::biggest(records())
                                                                                      : WinnersQuery::smallest(records());
        showListing(found ? QList<WinnersQuery::Record>{*found} : QList<WinnersQuery::Record>{});
        break;
    }
    }
}

void WinnersWindow::daysChanged()
{
    // The area is emptied first; text that is not a whole number lists nothing.
    const std::optional<int> days = typedDays();
    if (m_viewChoice->currentIndex() != int(WinnersQuery::View::LastDays) || !days) {
        m_listing->clear();
        return;
    }
    showListing(WinnersQuery::lastDays(records(), *days, m_clock.now()));
}

std::optional<int> WinnersWindow::typedDays() const
{
    bool isNumber = false;
    const int days = m_daysEdit->locale().toInt(m_daysEdit->cleanText(), &isNumber);
    return isNumber ? std::optional<int>(days) : std::nullopt;
}

void WinnersWindow::showError(const Status &status)
{
    ErrorReport::show(this, status);
}


const QList<WinnersQuery::Record> &WinnersWindow::records()
{
    // Every view reads the first winners.lineCount lines of the window's copy.
    const int lineCount = m_state.winners.lineCount;
    if (lineCount != m_recordsLineCount) {
        m_records = WinnersFile::records(m_lines.lines(), lineCount);
        m_recordsLineCount = lineCount;
    }
    return m_records;
}

void WinnersWindow::showListing(const QList<WinnersQuery::Record> &records)
{
    m_listing->setPlainText(asDocumentText(WinnersQuery::listing(records)));
}
