#include "ui/settings/SoundAndScreenGroup.h"

#include "ui/look/WindowScale.h"
#include "ui/look/WindowStyle.h"
#include "ui/sound/SoundControl.h"
#include "ui/sound/SoundSettings.h"
#include "ui/speech/Narrator.h"
#include "ui/speech/SpeechEngine.h"
#include "ui/speech/VoiceSettings.h"

#include <QAbstractItemView>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QSlider>
#include <QStandardItemModel>

using namespace Qt::StringLiterals;

namespace {

const QString ScaleNote = u"Применится при следующем запуске"_s;

// Said when the player changes the voice or its rate, to hear the change.
const QString VoiceSample = u"Добро пожаловать на программу Зыбкоцепье"_s;

// The group's columns: the row's caption or switch, a caption inside the row, the controls.
constexpr int CaptionColumn = 14;
constexpr int InnerCaptionColumn = 150;
constexpr int ControlColumn = 220;
constexpr int RowHeight = 22;

QLabel *caption(const QString &text, int x, int rowTop, QWidget *parent, const QColor &colour = WindowStyle::White)
{
    auto *l = new QLabel(text, parent);
    WindowStyle::setTextColour(l, colour);
    l->adjustSize();
    // Centred on the row's controls.
    l->move(x, rowTop + (RowHeight - l->height()) / 2);
    return l;
}

QCheckBox *switchBox(const QString &text, int rowTop, QWidget *parent)
{
    auto *box = new QCheckBox(text, parent);
    // White words; the box keeps its dark mark on white.
    QPalette pal = box->palette();
    pal.setColor(QPalette::WindowText, WindowStyle::White);
    box->setPalette(pal);
    box->adjustSize();
    box->setGeometry(CaptionColumn, rowTop, box->width(), RowHeight);
    return box;
}

QSlider *slider(int x, int rowTop, int width, QWidget *parent)
{
    auto *s = new QSlider(Qt::Horizontal, parent);
    s->setGeometry(x, rowTop, width, RowHeight);
    return s;
}

} // namespace

SoundAndScreenGroup::SoundAndScreenGroup(QWidget *parent)
    : QWidget(parent)
{
    setObjectName(u"SoundAndScreen"_s);
    setAccessibleName(u"Звук и экран"_s);

    m_heading = new QLabel(u"Звук и экран"_s, this);
    m_heading->setObjectName(u"SoundAndScreenHeading"_s);
    WindowStyle::setTextColour(m_heading, WindowStyle::White);
    m_heading->adjustSize();

    buildScale(30);
    buildSound(58);
    buildVoice(86);
    showStored();
}

void SoundAndScreenGroup::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    // The heading stands centred under the frame's top, as the window's other headings do.
    m_heading->move((width() - m_heading->width()) / 2, 8);
}

void SoundAndScreenGroup::buildScale(int top)
{
    auto *scaleCaption = caption(u"Размер окон:"_s, CaptionColumn, top, this);
    scaleCaption->setObjectName(u"WindowScaleCaption"_s);
    m_windowScale = new QComboBox(this);
    m_windowScale->setObjectName(u"WindowScale"_s);
    m_windowScale->setGeometry(ControlColumn, top, 113, RowHeight);
    for (int percent : WindowScale::Choices)
        m_windowScale->addItem(u"%1 %"_s.arg(percent), percent);
    m_windowScale->setAccessibleName(u"Размер окон"_s);
    scaleCaption->setBuddy(m_windowScale);
    connect(m_windowScale, &QComboBox::activated, this,
            [this](int index) { WindowScale::store(m_windowScale->itemData(index).toInt()); });
    m_windowScaleNote = caption(ScaleNote, ControlColumn + 125, top, this, QColor(160, 160, 160));
    m_windowScaleNote->setObjectName(u"WindowScaleNote"_s);
}

void SoundAndScreenGroup::offerFittingSizes()
{
    const QList<int> fitting = WindowScale::fittingOn(*window());
    auto *sizes = qobject_cast<QStandardItemModel *>(m_windowScale->model());
    for (int i = 0; i < m_windowScale->count(); ++i)
        sizes->item(i)->setEnabled(fitting.contains(m_windowScale->itemData(i).toInt()));
    const bool allFit = fitting.size() == m_windowScale->count();
    const QString note = allFit ? ScaleNote : u"Со следующего запуска; экран вмещает до %1 %"_s.arg(fitting.last());
    m_windowScaleNote->setText(note);
    m_windowScaleNote->adjustSize();
    m_windowScale->setAccessibleDescription(allFit ? QString() : note);
}

void SoundAndScreenGroup::buildSound(int top)
{
    m_soundOn = switchBox(u"Звук"_s, top, this);
    m_soundOn->setObjectName(u"SoundOn"_s);
    m_soundOn->setAccessibleDescription(u"Звуки игры; за столом их включает и выключает клавиша M"_s);
    auto *volumeCaption = caption(u"Громкость:"_s, InnerCaptionColumn, top, this);
    volumeCaption->setObjectName(u"SoundVolumeCaption"_s);
    m_soundVolume = slider(ControlColumn, top, 150, this);
    m_soundVolume->setObjectName(u"SoundVolume"_s);
    m_soundVolume->setRange(0, 100);
    m_soundVolume->setSingleStep(5);
    m_soundVolume->setPageStep(10);
    m_soundVolume->setAccessibleName(u"Громкость"_s);

    connect(m_soundOn, &QCheckBox::toggled, this, [this](bool on) {
        SoundSettings::storeOn(on);
        if (m_sounds)
            m_sounds->setOn(on);
        m_soundVolume->setEnabled(on);
    });
    // Heard at once; stored when the slider is let go rather than at each step of a drag.
    connect(m_soundVolume, &QSlider::valueChanged, this, [this](int percent) {
        if (m_sounds)
            m_sounds->setVolume(percent);
        if (!m_soundVolume->isSliderDown())
            SoundSettings::storeVolume(percent);
    });
    connect(m_soundVolume, &QSlider::sliderReleased, this, [this] {
        SoundSettings::storeVolume(m_soundVolume->value());
        // A sample of the new loudness.
        if (m_sounds)
            m_sounds->play(GameSounds::Cue::RightAnswer);
    });
}

void SoundAndScreenGroup::buildVoice(int top)
{
    m_hostVoice = switchBox(u"Голос ведущего"_s, top, this);
    m_hostVoice->setObjectName(u"HostVoice"_s);
    m_hostVoice->setAccessibleDescription(u"Ведущий читает вслух вопросы, ответы и свои слова; "
                                          u"за столом R повторяет вопрос, T называет время, N — места"_s);
    auto *voiceCaption = caption(u"Голос:"_s, InnerCaptionColumn, top, this);
    voiceCaption->setObjectName(u"HostVoiceNameCaption"_s);
    m_hostVoiceName = new QComboBox(this);
    m_hostVoiceName->setObjectName(u"HostVoiceName"_s);
    m_hostVoiceName->setGeometry(ControlColumn, top, 150, RowHeight);
    m_hostVoiceName->setAccessibleName(u"Голос"_s);
    m_hostVoiceName->setMaxVisibleItems(16);
    // The names of espeak voices run long: the list is wider than the box.
    m_hostVoiceName->view()->setMinimumWidth(260);
    voiceCaption->setBuddy(m_hostVoiceName);
    auto *rateCaption = caption(u"Скорость:"_s, ControlColumn + 166, top, this);
    rateCaption->setObjectName(u"HostVoiceRateCaption"_s);
    m_hostVoiceRate = slider(rateCaption->geometry().right() + 8, top, 130, this);
    m_hostVoiceRate->setObjectName(u"HostVoiceRate"_s);
    m_hostVoiceRate->setRange(-100, 100);
    m_hostVoiceRate->setSingleStep(10);
    m_hostVoiceRate->setPageStep(25);
    m_hostVoiceRate->setAccessibleName(u"Скорость речи"_s);

    connect(m_hostVoice, &QCheckBox::toggled, this, [this](bool on) {
        VoiceSettings::storeOn(on);
        if (m_narrator) {
            m_narrator->setOn(on);
            m_narrator->sayAside(VoiceSample);
        }
        m_hostVoiceName->setEnabled(on);
        m_hostVoiceRate->setEnabled(on);
    });
    connect(m_hostVoiceName, &QComboBox::activated, this, [this](int index) {
        const QString name = m_hostVoiceName->itemData(index).toString();
        VoiceSettings::storeVoice(name);
        if (m_narrator) {
            m_narrator->setVoice(name);
            m_narrator->sayAside(VoiceSample);
        }
    });
    // Applied at once; stored, and heard, when the slider is let go rather than at each
    // step of a drag.
    connect(m_hostVoiceRate, &QSlider::valueChanged, this, [this](int rate) {
        if (m_narrator)
            m_narrator->setRate(rate);
        if (!m_hostVoiceRate->isSliderDown())
            VoiceSettings::storeRate(rate);
    });
    connect(m_hostVoiceRate, &QSlider::sliderReleased, this, [this] {
        VoiceSettings::storeRate(m_hostVoiceRate->value());
        if (m_narrator)
            m_narrator->sayAside(VoiceSample);
    });
}

void SoundAndScreenGroup::setNarrator(Narrator *narrator)
{
    if (m_narrator)
        disconnect(&m_narrator->engine(), nullptr, this, nullptr);
    m_narrator = narrator;
    if (m_narrator)
        connect(&m_narrator->engine(), &SpeechEngine::voicesChanged, this, &SoundAndScreenGroup::listVoices);
    listVoices();
}

QList<QWidget *> SoundAndScreenGroup::tabOrder() const
{
    return {m_windowScale, m_soundOn, m_soundVolume, m_hostVoice, m_hostVoiceName, m_hostVoiceRate};
}

void SoundAndScreenGroup::showStored()
{
    offerFittingSizes();
    m_windowScale->setCurrentIndex(std::max(0, m_windowScale->findData(WindowScale::stored())));

    const QSignalBlocker quietBox(m_soundOn);
    const QSignalBlocker quietSlider(m_soundVolume);
    m_soundOn->setChecked(SoundSettings::isOn());
    m_soundVolume->setValue(SoundSettings::volume());
    m_soundVolume->setEnabled(m_soundOn->isChecked());

    showStoredVoice();
}

void SoundAndScreenGroup::showStoredVoice()
{
    const QSignalBlocker quietBox(m_hostVoice);
    const QSignalBlocker quietSlider(m_hostVoiceRate);
    m_hostVoice->setChecked(VoiceSettings::isOn());
    m_hostVoiceRate->setValue(VoiceSettings::rate());
    listVoices();
    m_hostVoiceName->setEnabled(m_hostVoice->isChecked());
    m_hostVoiceRate->setEnabled(m_hostVoice->isChecked());
}

void SoundAndScreenGroup::listVoices()
{
    const QString chosen = VoiceSettings::voice();
    QStringList voices = m_narrator ? m_narrator->engine().voices() : QStringList();
    // A voice chosen in an earlier run stays shown until the engine has told its own.
    if (!chosen.isEmpty() && !voices.contains(chosen))
        voices.prepend(chosen);
    const QSignalBlocker quiet(m_hostVoiceName);
    m_hostVoiceName->clear();
    m_hostVoiceName->addItem(u"Обычный"_s, QString());
    for (const QString &voice : std::as_const(voices))
        m_hostVoiceName->addItem(voice, voice);
    m_hostVoiceName->setCurrentIndex(std::max(0, m_hostVoiceName->findData(chosen)));
}
