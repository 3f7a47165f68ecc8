// A box that edits a name kept in sound data takes printable ASCII only, typed or pasted: a
// letter with an accent becomes its base letter and any other character is not taken, so no
// byte above 7EH reaches the object, its files or the wire.

#include <QClipboard>

#include "dialogs/formedit.h"
#include "editorfixture.h"
#include "editors/patch/formcommon.h"
#include "midi/pacedsender.h"
#include "model/patch.h"

namespace {

// A name box of the given kind on the screen, and the element whose name it edits.
struct TOpenBox {
  std::unique_ptr<QWidget> Window;
  QLineEdit* Box;
  TLibElem& Element;
};
// The patch page's box and the element property dialog's (the performance and rhythm set
// boxes take the same rule, and what reaches the object passes NameBytes in any case).
TOpenBox OpenBox(bool dialog, TPatch& patch) {
  if (!dialog) {
    auto* page = new TFormCommon(patch);
    return {std::unique_ptr<QWidget>(page), page->findChild<QLineEdit*>("Param0"), patch};
  }
  auto* form = new TFormEdit;
  form->SetElement(patch, false);
  return {std::unique_ptr<QWidget>(form), form->NameEdit(), patch};
}

struct TInput {
  const char* What;
  QString Text;
  bool Pasted;
  QString Expected;
};

const TInput kInputs[] = {
    {"accented letters typed", QStringLiteral("Café Über"), false, QStringLiteral("Cafe Uber")},
    {"Japanese pasted", QStringLiteral("ピアノ Piano"), true, QStringLiteral(" Piano")},
    {"control characters pasted",
     QStringLiteral("A\tB\nC\x01"
                    "D\x7f"
                    "E"),
     true, QStringLiteral("ABCDE")},
    {"plain text pasted past twelve", QStringLiteral("Strings Ensemble"), true,
     QStringLiteral("Strings Ense")},
};

// Each character as a key of its own, with the character as the key's text (as a keyboard
// layout with that letter sends it).
void Type(QLineEdit* box, const QString& text) {
  for (const QChar c : text) {
    const int code = c.toUpper().unicode();
    const auto key = code < 0x80 ? static_cast<Qt::Key>(code) : Qt::Key_unknown;
    QTest::sendKeyEvent(QTest::Press, box, key, QString(c), Qt::NoModifier);
    QTest::sendKeyEvent(QTest::Release, box, key, QString(c), Qt::NoModifier);
  }
}

class NameBoxes : public TEditorTest {};

TEST_F(NameBoxes, TakePrintableAsciiOnlyTypedOrPasted) {
  for (const bool dialog : {false, true}) {
    for (const TInput& input : kInputs) {
      TPatch patch(nullptr);
      patch.Init();
      CurrentPatch = &patch;
      ClearSent();
      TOpenBox open = OpenBox(dialog, patch);
      SCOPED_TRACE(std::string(open.Window->metaObject()->className()) + ", " + input.What);
      ASSERT_NE(open.Box, nullptr);
      open.Window->show();
      open.Box->setFocus();
      open.Box->clear();
      if (input.Pasted) {
        QApplication::clipboard()->setText(input.Text);
        QTest::keyClick(open.Box, Qt::Key_V, Qt::ControlModifier);
      } else {
        Type(open.Box, input.Text);
      }
      EXPECT_EQ(input.Expected, open.Box->text());
      if (auto* dialog = qobject_cast<TFormEdit*>(open.Window.get())) dialog->accept();
      EXPECT_EQ(input.Expected, open.Element.GetName());
      Sender().Flush();
      for (const TBytes& message : Sent())
        for (std::size_t i = 1; i + 1 < message.size(); ++i)
          ASSERT_LT(message[i], 0x80) << "byte " << i;
      CurrentPatch = nullptr;
    }
  }
}

TEST(NameBytesTest, NeverHoldAByteOutsidePrintableAscii) {
  // What any caller stores as a name, from a box or not.
  const auto bytes = NameBytes(QStringLiteral("Ñandú\x80\x9f€ab"));
  const std::array<std::uint8_t, 12> expected = {'N', 'a', 'n', 'd', 'u', 'a',
                                                 'b', ' ', ' ', ' ', ' ', ' '};
  EXPECT_EQ(expected, bytes);
}

}  // namespace
