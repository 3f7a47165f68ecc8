// A byte outside its row's range is shown as vesta-cli show shows it (its number, in red, with a
// tool tip saying why) by every kind of control, no control pretends to a value it does not
// hold, and the first change brings the byte into range.
#include "editorfixture.h"

namespace {
const char* const kItems[] = {"Off", "On", "Auto"};
const QColor kRed(Qt::red);

// The text a control shows, and its marks of a byte out of range (all set, or none).
std::pair<QString, std::vector<bool>> Look(QWidget* w) {
  if (auto* field = qobject_cast<TMyEdit*>(w))
    return {field->Text().trimmed(),
            {field->OutOfRange(),
             field->findChild<QLineEdit*>()->palette().color(QPalette::Text) == kRed}};
  if (auto* slider = qobject_cast<TPanSlider*>(w))
    return {slider->Edit()->Text(), {slider->OutOfRange(), slider->Slider()->Unset()}};
  if (auto* list = qobject_cast<QComboBox*>(w))
    return {list->currentIndex() < 0 ? list->placeholderText() : list->currentText(),
            {list->currentIndex() < 0, !list->placeholderText().isEmpty()}};
  if (auto* check = qobject_cast<QCheckBox*>(w))
    return {QString::number(check->checkState()), {check->checkState() == Qt::PartiallyChecked}};
  auto* box = w->findChild<TClickEdit*>();  // the pan knob and its number box
  return {box->Text(), {box->OutOfRange(), w->findChild<Tmyrotary*>()->Unset()}};
}

// The first change, with real events: down from above a field's range lands on its top, as up
// would; a slider's Up key; a click right of a knob's centre; a list's Down key; a click.
void FirstChange(QWidget* w) {
  if (auto* field = qobject_cast<TMyEdit*>(w)) {
    QTest::mousePress(field->DownButton(), Qt::LeftButton);
    QTest::mouseRelease(field->DownButton(), Qt::LeftButton);
  } else if (auto* slider = qobject_cast<TPanSlider*>(w)) {
    QTest::keyPress(slider->Slider(), Qt::Key_Up);
    QTest::keyRelease(slider->Slider(), Qt::Key_Up);
  } else if (qobject_cast<QComboBox*>(w)) {
    QTest::keyClick(w, Qt::Key_Down);
  } else if (qobject_cast<QCheckBox*>(w)) {
    QTest::mouseClick(w, Qt::LeftButton);
  } else {
    auto* knob = w->findChild<Tmyrotary*>();
    const QPoint right(knob->width() - 6, knob->height() / 2);
    QTest::mousePress(knob, Qt::LeftButton, {}, right);
    QTest::mouseRelease(knob, Qt::LeftButton, {}, right);
  }
}

TEST(OutOfRange, EveryKindOfControlShowsTheByteAsItsNumberAndTheFirstChangeBringsItIn) {
  using C = TParamControl;
  const TParamRow field{
      .Offset = 30, .Caption = "Feedback", .Control = C::Field, .Max = 98, .Mode = MinMax};
  const TParamRow slider{.Offset = 31, .Caption = "Level", .Control = C::Slider, .Max = 100};
  const TParamRow knob{
      .Offset = 32, .Caption = "Pan", .Control = C::Pan, .Min = 1, .Max = 127, .Add = -64};
  const TParamRow list{
      .Offset = 33, .Caption = "Mode", .Control = C::List, .Max = 2, .Items = kItems};
  const TParamRow check{.Offset = 34, .Caption = "Hold", .Control = C::Check, .Max = 1};
  // The byte, the text shown for it, what the first change stores (-1: any value of the range)
  // and the text then shown (nullptr: any); a check box shows its state's number.
  struct TCase {
    const TParamRow& Row;
    std::uint8_t Byte;
    const char* Marked;
    int StoredAfter;
    const char* Plain;
  } const cases[] = {{field, 100, "100", 98, "98"},
                     {slider, 120, "120", 100, "100"},
                     {knob, 0, "0", -1, nullptr},
                     {list, 7, "7", 0, "Off"},
                     {check, 5, "1", 1, "2"}};
  TScopedScriptedUI ui;
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Row.Caption);
    TLibrary library;
    auto& patch = static_cast<TPatch&>(library.NewElement(ekPatch));
    patch.Common.Data()[c.Row.Offset] = c.Byte;
    TTestPage page(patch, patch.Common);
    QWidget host;
    TParamBinding binding(c.Row, page, &host);
    page.OnView = [&] { binding.Show(patch.Common.Data()); };  // as a page shows its controls
    QWidget* widget = binding.Widget();
    ASSERT_NE(widget, nullptr);
    host.show();
    binding.Show(patch.Common.Data());
    auto [text, marks] = Look(widget);
    EXPECT_EQ(text, QLatin1String(c.Marked));
    for (bool mark : marks) EXPECT_TRUE(mark);
    EXPECT_TRUE(widget->toolTip().startsWith(
        QStringLiteral("Out of range: the stored value is %1, and this parameter takes %2 to %3.")
            .arg(c.Byte)
            .arg(c.Row.Min)
            .arg(c.Row.Max)))
        << widget->toolTip().toStdString();
    // Showing it moved nothing into the block.
    EXPECT_EQ(c.Byte, patch.Common.GetByte(c.Row.Offset));

    widget->setFocus();
    FirstChange(widget);
    const int stored = patch.Common.GetByte(c.Row.Offset);
    if (c.StoredAfter >= 0)
      EXPECT_EQ(c.StoredAfter, stored);
    else
      EXPECT_TRUE(stored >= c.Row.Min && stored <= c.Row.Max) << stored;
    std::tie(text, marks) = Look(widget);
    if (c.Plain) {
      EXPECT_EQ(text, QLatin1String(c.Plain));
    }
    for (bool mark : marks) EXPECT_FALSE(mark);
    EXPECT_EQ("", widget->toolTip());
  }
}
}  // namespace
