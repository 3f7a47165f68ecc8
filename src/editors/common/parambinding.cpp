#include "editors/common/parambinding.h"

#include <algorithm>
#include <map>
#include <tuple>

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QFontMetrics>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>
#include <QVBoxLayout>

#include "controls/accessiblecontrol.h"
#include "controls/clickedit.h"
#include "controls/myedit.h"
#include "controls/myrotary.h"
#include "controls/panslider.h"
#include "controls/textrule.h"
#include "editors/common/pagestate.h"
#include "model/patch.h"

namespace {
using C = TParamControl;

// A picture drawn by the page's painter.
class TPictureView : public QWidget {
 public:
  using QWidget::QWidget;
  TParamBinding::TPainter Painter;
  int Value = 0;

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter painter(this);
    if (Painter) Painter(painter, size(), Value);
  }
};

// The item beside a stepped picture, as wide as its widest item in its font whatever it shows,
// so that stepping moves neither the arrows under the mouse nor the window's edge.
class TItemLabel : public QLabel {
 public:
  TItemLabel(std::span<const char* const> items, QWidget* parent)
      : QLabel(parent), items_(items) {
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Preferred);
  }
  QSize sizeHint() const override {
    const QFontMetrics metrics(font());
    int widest = 0;
    for (const char* item : items_)
      widest = std::max(widest, metrics.horizontalAdvance(QString::fromLatin1(item)));
    // The sunken frame and a blank's room on either side.
    const int width = widest + 2 * frameWidth() + 2 * metrics.horizontalAdvance(u' ');
    return {std::max(width, minimumWidth()), QLabel::sizeHint().height()};
  }
  QSize minimumSizeHint() const override { return sizeHint(); }

 private:
  std::span<const char* const> items_;
};

// The stepped picture's panel: the arrows, the item's name and the picture. It takes the focus
// itself (the arrows do not): Left or Down steps back, Right or Up on; a screen reader reads it
// as a spin box showing the item's name.
class TPictureBox : public QWidget, public TAccessibleValue {
 public:
  using QWidget::QWidget;
  QLabel* ItemLabel = nullptr;
  std::function<int()> Current;
  std::function<void(int)> Step;
  int Low = 0;
  int High = 0;

  QAccessible::Role AccessibleRole() const override { return QAccessible::SpinBox; }
  QString AccessibleText() const override { return ItemLabel ? ItemLabel->text() : QString(); }
  int AccessibleValue() const override { return Current(); }
  int AccessibleMin() const override { return Low; }
  int AccessibleMax() const override { return High; }
  void SetAccessibleValue(int value) override {
    Step(value - Current());
    AnnounceValue(this);
  }

 protected:
  void keyPressEvent(QKeyEvent* event) override {
    switch (event->key()) {
      case Qt::Key_Left:
      case Qt::Key_Down:
      case Qt::Key_Right:
      case Qt::Key_Up: {
        const int before = Current();
        Step(event->key() == Qt::Key_Left || event->key() == Qt::Key_Down ? -1 : 1);
        if (Current() != before) AnnounceValue(this);
        return;
      }
      default:
        QWidget::keyPressEvent(event);
    }
  }
  void focusInEvent(QFocusEvent*) override { update(); }
  void focusOutEvent(QFocusEvent*) override { update(); }
  void paintEvent(QPaintEvent*) override {
    QPainter painter(this);
    DrawFocusMark(painter, this, rect());
  }
};

QString Item(const TParamRow& row, int index) {
  return index >= 0 && index < static_cast<int>(row.Items.size())
             ? QString::fromLatin1(row.Items[static_cast<std::size_t>(index)])
             : QString::number(index);
}
}  // namespace

struct TParamBinding::TParts {
  TPanSlider* Slider = nullptr;
  TMyEdit* Field = nullptr;
  Tmyrotary* Knob = nullptr;
  TClickEdit* Click = nullptr;
  QComboBox* Combo = nullptr;
  QButtonGroup* Group = nullptr;
  QCheckBox* Check = nullptr;
  QLineEdit* Name = nullptr;
  QLabel* Item = nullptr;
  TPictureView* Picture = nullptr;
};

TParamBinding::TParamBinding(const TParamRow& row, TPageState& page, QWidget* parent)
    : QObject(parent), row_(row), page_(page), parts_(new TParts) {
  if (!Buildable(row_)) return;
  switch (row_.Control) {
    case C::Slider:
      BuildSlider(false);
      break;
    case C::StereoSlider:
      BuildSlider(true);
      break;
    case C::Field:
      BuildField();
      break;
    case C::Pan:
      BuildPan();
      break;
    case C::List:
      BuildList();
      break;
    case C::Radio:
      BuildGroup(true);
      break;
    case C::Buttons:
      BuildGroup(false);
      break;
    case C::Check:
      BuildCheck();
      break;
    case C::Name:
      BuildName();
      break;
    case C::Picture:
      BuildPicture();
      break;
    default:
      break;
  }
  if (widget_) {
    widget_->setParent(parent);
    widget_->setObjectName(QStringLiteral("Param%1").arg(row_.Offset));
    Name();
  }
  if (label_) {
    label_->setParent(parent);
    label_->setBuddy(widget_);
  }
}

void TParamBinding::Name() {
  // The row's caption names the control and each part of it the focus reaches (the text box of
  // a value field, the knob and the number of a pan, the track and the number of a slider);
  // buttons keep their own item names.
  const QString caption = QString::fromLatin1(row_.Caption);
  widget_->setAccessibleName(caption);
  for (QWidget* part : widget_->findChildren<QWidget*>())
    if ((part->focusPolicy() & Qt::TabFocus) && !qobject_cast<QAbstractButton*>(part))
      part->setAccessibleName(caption);
}

namespace {
// The width a value field needs for the longest text of its range beside the arrows
// ("AfterTouch", "-100"). Pages open often and many fields share a range: measured once.
int FieldWidth(const TMyEdit& field) {
  static std::map<std::tuple<int, int, int, QString>, int> widths;
  const auto key = std::make_tuple(static_cast<int>(field.EditType()), field.Low(), field.High(),
                                   field.font().key());
  if (const auto found = widths.find(key); found != widths.end()) return found->second;
  const QFontMetrics metrics(field.font());
  int widest = 0;
  for (int code = field.Low(); code <= field.High(); ++code)
    widest = std::max(widest, metrics.horizontalAdvance(EditTypeText(field.EditType(), code)));
  // The arrows (15), the frames and the text box's own padding.
  return widths[key] = widest + 27;
}
}  // namespace

TParamBinding::~TParamBinding() {
  delete parts_;
}

bool TParamBinding::Buildable(const TParamRow& row) {
  return row.Control != C::Graph && row.Control != C::Custom;
}

int TParamBinding::ShownMin() const {
  return std::min(ParamShown(row_, row_.Min), ParamShown(row_, row_.Max));
}

int TParamBinding::ShownMax() const {
  return std::max(ParamShown(row_, row_.Min), ParamShown(row_, row_.Max));
}

void TParamBinding::BuildSlider(bool stereo) {
  auto* slider = new TPanSlider;
  slider->SetVertical(false);
  slider->SetStereo(stereo);
  slider->SetMin(ShownMin());
  slider->SetMax(ShownMax());
  slider->setFixedSize(190, 26);
  // The number box on the left, the track after it.
  slider->SetELeft(0);
  slider->SetETop(3);
  slider->SetEWidth(42);
  slider->SetEHeight(20);
  slider->SetSLeft(46);
  slider->SetSTop(0);
  slider->SetSWidth(144);
  slider->SetSHeight(26);
  parts_->Slider = slider;
  connect(slider, &TPanSlider::OnEndchange, this, &TParamBinding::Store);
  widget_ = slider;
  label_ = new QLabel(QString::fromLatin1(row_.Caption));
}

void TParamBinding::BuildField() {
  auto* field = new TMyEdit;
  field->SetEditType(row_.Mode);
  field->SetMin(ShownMin());
  field->SetMax(ShownMax());
  field->SetStep(std::max<int>(row_.Step, 1));
  const int width = row_.Mode == MinMax || row_.Mode == MinMaxS ? 60 : 86;
  field->setFixedSize(std::max(width, FieldWidth(*field)), 24);
  parts_->Field = field;
  connect(field, &TMyEdit::OnEndChange, this, &TParamBinding::Store);
  widget_ = field;
  label_ = new QLabel(QString::fromLatin1(row_.Caption));
}

void TParamBinding::BuildPan() {
  auto* box = new QWidget;
  auto* knob = new Tmyrotary(box);
  auto* click = new TClickEdit(box);
  knob->setObjectName(QStringLiteral("PanKnob"));
  click->setObjectName(QStringLiteral("PanEdit"));
  knob->SetMin(ShownMin());
  knob->SetMax(ShownMax());
  click->SetStereo(true);
  click->SetMin(ShownMin());
  click->SetMax(ShownMax());
  knob->SetValueText([click](int) { return click->Text(); });
  knob->setGeometry(0, 0, 34, 34);
  click->setGeometry(40, 7, 50, 20);
  box->setFixedSize(90, 34);
  // The two mirror each other while moving; either one's end stores the field's value.
  connect(knob, &Tmyrotary::OnChange, click, [knob, click] { click->SetValue(knob->Position()); });
  connect(click, &TClickEdit::Onchange, knob, [knob, click] { knob->SetPosition(click->Value()); });
  connect(knob, &Tmyrotary::OnEndChange, this, &TParamBinding::Store);
  connect(click, &TClickEdit::OnEndchange, this, &TParamBinding::Store);
  parts_->Knob = knob;
  parts_->Click = click;
  widget_ = box;
  label_ = new QLabel(QString::fromLatin1(row_.Caption));
}

void TParamBinding::BuildList() {
  auto* combo = new QComboBox;
  // A byte outside the list shows as its number, in red, in place of a choice.
  QPalette colours = combo->palette();
  colours.setColor(QPalette::PlaceholderText, Qt::red);
  combo->setPalette(colours);
  for (const char* item : row_.Items) combo->addItem(QString::fromLatin1(item));
  combo->setMaxVisibleItems(16);
  combo->setSizeAdjustPolicy(QComboBox::AdjustToContents);
  parts_->Combo = combo;
  connect(combo, &QComboBox::activated, this, &TParamBinding::Store);
  widget_ = combo;
  label_ = new QLabel(QString::fromLatin1(row_.Caption));
}

void TParamBinding::BuildGroup(bool radio) {
  auto* box = new QGroupBox(QString::fromLatin1(row_.Caption));
  auto* layout = new QHBoxLayout(box);
  layout->setContentsMargins(6, 2, 6, 4);
  layout->setSpacing(radio ? 10 : 2);
  auto* group = new QButtonGroup(box);
  group->setExclusive(true);
  for (int i = 0; i < static_cast<int>(row_.Items.size()); ++i) {
    const QString caption = QString::fromLatin1(row_.Items[static_cast<std::size_t>(i)]);
    QAbstractButton* button = nullptr;
    if (radio) {
      button = new QRadioButton(caption, box);
    } else {
      auto* tool = new QToolButton(box);
      tool->setText(caption.trimmed());
      tool->setCheckable(true);
      tool->setMinimumWidth(30);
      button = tool;
    }
    button->setObjectName(QStringLiteral("Item%1").arg(i));
    group->addButton(button, i);
    layout->addWidget(button);
  }
  parts_->Group = group;
  connect(group, &QButtonGroup::idClicked, this, &TParamBinding::Store);
  widget_ = box;
}

void TParamBinding::BuildCheck() {
  auto* check = new QCheckBox(QString::fromLatin1(row_.Caption));
  parts_->Check = check;
  connect(check, &QCheckBox::clicked, this, &TParamBinding::Store);
  widget_ = check;
}

void TParamBinding::BuildName() {
  auto* name = new QLineEdit;
  name->setMaxLength(row_.Size);
  name->setValidator(new TTextRule(AsciiName, name));
  name->setFixedWidth(120);
  name->installEventFilter(this);
  parts_->Name = name;
  widget_ = name;
  label_ = new QLabel(QString::fromLatin1(row_.Caption));
}

void TParamBinding::BuildPicture() {
  auto* box = new TPictureBox;
  box->setFocusPolicy(Qt::StrongFocus);
  auto* layout = new QVBoxLayout(box);
  // Room for the focus mark around the parts.
  layout->setContentsMargins(2, 2, 2, 2);
  layout->setSpacing(2);
  auto* top = new QHBoxLayout;
  auto* prev = new QToolButton(box);
  auto* next = new QToolButton(box);
  prev->setObjectName(QStringLiteral("Precedente"));
  next->setObjectName(QStringLiteral("Successivo"));
  prev->setFocusPolicy(Qt::NoFocus);
  next->setFocusPolicy(Qt::NoFocus);
  prev->setArrowType(Qt::LeftArrow);
  next->setArrowType(Qt::RightArrow);
  auto* item = new TItemLabel(row_.Items, box);
  item->setObjectName(QStringLiteral("Item"));
  item->setAlignment(Qt::AlignCenter);
  item->setFrameShape(QFrame::Panel);
  item->setFrameShadow(QFrame::Sunken);
  top->addWidget(prev);
  top->addWidget(item, 1);
  top->addWidget(next);
  layout->addLayout(top);
  auto* picture = new TPictureView(box);
  picture->setObjectName(QStringLiteral("Picture"));
  picture->hide();
  layout->addWidget(picture);
  connect(prev, &QToolButton::clicked, this, [this] { StepPicture(-1); });
  connect(next, &QToolButton::clicked, this, [this] { StepPicture(+1); });
  parts_->Item = item;
  parts_->Picture = picture;
  box->ItemLabel = item;
  box->Low = ShownMin();
  box->High = ShownMax();
  box->Current = [this] { return pictureValue_; };
  box->Step = [this](int delta) { StepPicture(delta); };
  widget_ = box;
  label_ = new QLabel(QString::fromLatin1(row_.Caption));
}

void TParamBinding::SetPainter(TPainter painter) {
  if (!widget_ || !parts_->Picture) return;
  parts_->Picture->Painter = std::move(painter);
  parts_->Picture->setVisible(static_cast<bool>(parts_->Picture->Painter));
}

void TParamBinding::StepPicture(int delta) {
  const int next = pictureValue_ + delta;
  if (!widget_ || next < ShownMin() || next > ShownMax()) return;
  pictureValue_ = next;
  parts_->Item->setText(Item(row_, pictureValue_));
  parts_->Picture->Value = pictureValue_;
  // Redrawn before the value is stored.
  parts_->Picture->repaint();
  Store();
}

bool TParamBinding::eventFilter(QObject* watched, QEvent* event) {
  if (watched == parts_->Name && event->type() == QEvent::KeyRelease) StoreName();
  return QObject::eventFilter(watched, event);
}

QString TParamBinding::OutOfRangeTip(const std::uint8_t* data) const {
  if (row_.Control == C::Name)
    return QStringLiteral(
               "Out of range: the name's bytes are %1; a name holds the characters 32 to 126 "
               "only. The first key typed here stores the name as it is shown.")
        .arg(ParamText(row_, data));
  return QStringLiteral(
             "Out of range: the stored value is %1, and this parameter takes %2 to %3. The first "
             "change brings it into range.")
      .arg(ParamText(row_, data))
      .arg(row_.Min)
      .arg(row_.Max);
}

void TParamBinding::ClearOutOfRangeMarks() {
  if (!widget_) return;
  widget_->setToolTip(QString());
  if (parts_->Name) parts_->Name->setPalette(QPalette());
  if (parts_->Item) parts_->Item->setStyleSheet(QString());
  if (parts_->Combo) parts_->Combo->setPlaceholderText(QString());
}

void TParamBinding::Show(const std::uint8_t* data) {
  if (!widget_) return;
  // ParamText also finds list items and pictures the row has no text for.
  bool inRange = ParamInRange(row_, data);
  if (inRange && (row_.Control == C::List || row_.Control == C::Picture))
    ParamText(row_, data, &inRange);
  const int stored = ParamStored(row_, data);
  const int shown = ParamShown(row_, stored);
  // Out of range: the byte's number as vesta-cli show gives it, and the nearer end of the
  // range for the first step to start from.
  const QString number = inRange ? QString() : ParamText(row_, data);
  const int nearest = std::clamp(shown, ShownMin(), ShownMax());
  TParts& p = *parts_;
  switch (row_.Control) {
    case C::Slider:
    case C::StereoSlider:
      p.Slider->SetValue(nearest);
      if (!inRange) p.Slider->SetOutOfRange(number);
      break;
    case C::Field:
      if (inRange)
        p.Field->SetCode(shown);
      else
        p.Field->SetOutOfRange(shown, number);
      break;
    case C::Pan:
      p.Click->SetValue(nearest);
      p.Knob->SetPosition(nearest);
      if (!inRange) {
        p.Click->SetOutOfRange(number);
        p.Knob->SetUnset(true);
      }
      break;
    case C::List:
      p.Combo->setCurrentIndex(inRange ? shown : -1);
      p.Combo->setPlaceholderText(number);
      break;
    case C::Radio:
    case C::Buttons:
      if (inRange && p.Group->button(shown)) {
        p.Group->button(shown)->setChecked(true);
      } else if (QAbstractButton* checked = p.Group->checkedButton()) {
        p.Group->setExclusive(false);
        checked->setChecked(false);
        p.Group->setExclusive(true);
      }
      break;
    case C::Check:
      p.Check->setTristate(!inRange);
      if (inRange)
        p.Check->setChecked(shown != 0);
      else
        p.Check->setCheckState(Qt::PartiallyChecked);
      break;
    case C::Name: {
      p.Name->setText(NameFromBytes(data + row_.Offset));
      QPalette colours;
      if (!inRange) colours.setColor(QPalette::Text, Qt::red);
      p.Name->setPalette(colours);
      break;
    }
    case C::Picture:
      pictureValue_ = nearest;
      p.Item->setText(inRange ? Item(row_, pictureValue_) : number);
      p.Item->setStyleSheet(inRange ? QString() : QStringLiteral("color: red"));
      p.Picture->Value = pictureValue_;
      p.Picture->update();
      break;
    default:
      break;
  }
  widget_->setToolTip(inRange ? QString() : OutOfRangeTip(data));
}

int TParamBinding::Value() const {
  if (!widget_) return 0;
  const TParts& p = *parts_;
  int shown = 0;
  switch (row_.Control) {
    case C::Slider:
    case C::StereoSlider:
      shown = p.Slider->Value();
      break;
    case C::Field:
      shown = p.Field->Code();
      break;
    case C::Pan:
      shown = p.Click->Value();
      break;
    case C::List:
      shown = p.Combo->currentIndex();
      break;
    case C::Radio:
    case C::Buttons:
      shown = p.Group->checkedId();
      break;
    case C::Check:
      shown = p.Check->isChecked() ? 1 : 0;
      break;
    case C::Picture:
      shown = pictureValue_;
      break;
    default:
      return 0;
  }
  return ParamStoredFromShown(row_, shown);
}

void TParamBinding::Store() {
  if (!widget_) return;
  if (row_.Control == C::Name) {
    StoreName();
    return;
  }
  // Whatever the control now shows is a value of the range.
  if (row_.Control != C::List || parts_->Combo->currentIndex() >= 0) ClearOutOfRangeMarks();
  const bool choice =
      row_.Control == C::List || row_.Control == C::Radio || row_.Control == C::Buttons;
  const int stored = Value();
  // Nothing chosen (a list or group showing a damaged byte) stores nothing; a value field whose
  // step went past a bound stores the bound.
  if (choice && (stored < row_.Min || stored > row_.Max)) return;
  StoreStored(std::clamp<int>(stored, row_.Min, row_.Max));
}

void TParamBinding::StoreStored(int stored) {
  if (row_.Size == 2) {
    std::uint8_t bytes[2];
    ParamSplit(row_, stored, bytes);
    page_.SendAndStoreArray(row_.Offset, bytes, 2);
  } else {
    page_.SendandStore(row_.Offset, static_cast<std::uint8_t>(stored));
  }
}

void TParamBinding::StoreName() {
  // Every key release that changed the name stores the whole name, padded with blanks. Keys that
  // leave it as it is (Tab, arrows, Ctrl, F1) store nothing: each would be an Undo step that
  // does nothing and would forget what Redo could bring back.
  const auto bytes = NameBytes(parts_->Name->text());
  if (std::equal(bytes.begin(), bytes.end(), page_.Block().Data() + row_.Offset)) return;
  ClearOutOfRangeMarks();
  page_.SendAndStoreArray(row_.Offset, bytes.data(), static_cast<int>(bytes.size()));
}
