#include "tools/formkeyboard.h"

#include <algorithm>

#include <QButtonGroup>
#include <QCloseEvent>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>

#include "controls/keyselector.h"
#include "midi/config.h"
#include "midi/midierrors.h"
#include "midi/midisession.h"
#include "midi/pacedsender.h"
#include "midi/userinterface.h"
#include "model/transfer.h"
#include "tools/toolhost.h"

namespace {
const QString kSection = QStringLiteral("Keyboard");
constexpr int kOctaves = 9;
}  // namespace

TFormKeyboard::TFormKeyboard(QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("FormKeyboard"));
  setWindowTitle(QStringLiteral("Keyboard"));
  setAttribute(Qt::WA_DeleteOnClose);
  setFixedSize(kWidth, kHeight);

  auto* group = new QGroupBox(QStringLiteral("Base Octave"), this);
  group->setGeometry(2, 0, kWidth - 4, 52);
  auto* row = new QHBoxLayout(group);
  row->setContentsMargins(6, 2, 6, 4);
  row->setSpacing(2);
  octaves_ = new QButtonGroup(this);
  octaves_->setExclusive(true);
  for (int o = 0; o < kOctaves; ++o) {
    auto* button = new QPushButton(QString::number(o - 1), group);
    button->setObjectName(QStringLiteral("Octave%1").arg(o));
    button->setCheckable(true);
    button->setFocusPolicy(Qt::NoFocus);
    octaves_->addButton(button, o);
    row->addWidget(button);
  }
  connect(octaves_, &QButtonGroup::idClicked, this, [this](int o) { octave_ = o; });

  keys_ = new TKeySelector(this);
  keys_->setObjectName(QStringLiteral("KeySelector"));
  keys_->SetKeyWidth(10);
  keys_->SetKeySelected(TKeySelector::kFirstKey - 1);  // no key down until one is pressed
  keys_->setGeometry(1, 56, kWidth - 2, kHeight - 58);
  connect(keys_, &TKeySelector::Change, this, &TFormKeyboard::KeyChange);
  connect(keys_, &TKeySelector::Endchange, this, &TFormKeyboard::KeyEndchange);

  if (ToolHost().SetKeyboardOpen) ToolHost().SetKeyboardOpen(true);
  octave_ =
      std::clamp(ToolHost().Read(kSection, QStringLiteral("BaseOctave"), -1) + 1, 0, kOctaves - 1);
  octaves_->button(octave_)->setChecked(true);
}

TFormKeyboard::~TFormKeyboard() {
  // A note held while the window goes would sound on.
  if (sounding_ >= 0) SendNote(0x80, sounding_);
}

QWidget* TFormKeyboard::Frame() {
  return parentWidget() && parentWidget()->inherits("QMdiSubWindow") ? parentWidget() : this;
}

void TFormKeyboard::Place() {
  const int left = ToolHost().Read(kSection, QStringLiteral("Left"), 0);
  const int top = ToolHost().Read(kSection, QStringLiteral("Top"), 0);
  // "Width" is read as it always was, but the window keeps its fixed size.
  ToolHost().Read(kSection, QStringLiteral("Width"), 200);
  Frame()->move(std::clamp(left, -2000, 20000), std::clamp(top, -2000, 20000));
}

QString TFormKeyboard::NoteName(int note) {
  static const char* const kNames[12] = {"C",  "C#", "D",  "D#", "E",  "F",
                                         "F#", "G",  "G#", "A",  "A#", "B"};
  return QStringLiteral("%1 %2").arg(QLatin1String(kNames[note % 12])).arg(note / 12 - 1);
}

void TFormKeyboard::SendNote(int status, int note) {
  TMidiSession& session = MidiSession();
  if (!session.MidiOpen() || !session.Output()) return;
  const int channel = std::clamp(PreviewChannel, 1, 16);
  try {
    Sender().SendShort(static_cast<std::uint8_t>(status + channel - 1),
                       static_cast<std::uint8_t>(note),
                       static_cast<std::uint8_t>(std::clamp(Config().PreviewVelocity, 0, 127)));
  } catch (const EmidioutputError& error) {
    UI().Show(TMsgKind::Error, error.Text());
  }
}

namespace {
bool IsKey(int key) {
  return key >= TKeySelector::kFirstKey && key <= TKeySelector::kLastKey;
}
bool IsNote(int note) {
  return note >= 0 && note <= 127;
}
}  // namespace

void TFormKeyboard::KeyChange() {
  const int key = keys_->KeySelected();
  if (!IsKey(key)) return;
  if (sounding_ >= 0) SendNote(0x80, sounding_);
  sounding_ = -1;
  // Key -1 at octave -1 and the top keys of the upper octaves lie outside the notes that exist:
  // they play nothing.
  const int note = key + 12 * octave_;
  if (!IsNote(note)) {
    setWindowTitle(QStringLiteral("Keyboard"));
    return;
  }
  sounding_ = note;
  SendNote(0x90, note);
  setWindowTitle(QStringLiteral("Keyboard ( Play note : %1 )").arg(NoteName(note)));
}

void TFormKeyboard::KeyEndchange() {
  const int key = keys_->KeySelected();
  if (!IsKey(key)) return;
  const int note = key + 12 * octave_;
  if ((sounding_ >= 0 && note == sounding_) || !IsNote(note)) {
    // The key of the sounding note let go, or a key that plays nothing: no key stays down.
    if (sounding_ >= 0) SendNote(0x80, sounding_);
    sounding_ = -1;
    keys_->SetKeySelected(TKeySelector::kFirstKey - 1);
    setWindowTitle(QStringLiteral("Keyboard"));
  } else {
    KeyChange();
  }
}

void TFormKeyboard::closeEvent(QCloseEvent* event) {
  if (sounding_ >= 0) SendNote(0x80, sounding_);
  sounding_ = -1;
  if (ToolHost().SetKeyboardOpen) ToolHost().SetKeyboardOpen(false);
  QWidget* frame = Frame();
  ToolHost().Write(kSection, QStringLiteral("Width"), frame->width());
  ToolHost().Write(kSection, QStringLiteral("Left"), frame->pos().x());
  ToolHost().Write(kSection, QStringLiteral("Top"), frame->pos().y());
  ToolHost().Write(kSection, QStringLiteral("BaseOctave"), octave_ - 1);
  event->accept();
  if (ToolHost().EnableMenuItems) ToolHost().EnableMenuItems();
}
