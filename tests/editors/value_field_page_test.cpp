// The value fields of every parameter table show their longest text whole: nothing runs under the
// arrow buttons.
#include <QFontMetrics>

#include "editorfixture.h"

namespace {

// Texts wider than this run under the arrows: the box less the margin kept for them and the
// line edit's own frame and padding.
int TextRoom(const QLineEdit& edit) {
  return edit.width() - edit.textMargins().right() - 8;
}

TEST(ValueFields, EveryTextOfEveryTableFitsBesideTheArrows) {
  TLibrary library;
  auto& patch = static_cast<TPatch&>(library.NewElement(ekPatch));
  TTestPage page(patch, patch.Tones[0]);
  std::vector<std::pair<const char*, std::span<const TParamRow>>> tables = {
      {"tone", ToneRows()},
      {"patch common", PatchCommonRows()},
      {"effects", EffectPageRows()},
      {"performance common", PerformanceCommonRows()},
      {"part", PerformancePartRows()},
      {"rhythm note", RhythmNoteRows()},
      {"system", SystemCommonRows()},
      {"scale tune", ScaleTuneRows()},
  };
  for (const TEffectType& type : EffectTypes()) tables.emplace_back(type.Item, type.Rows);
  QWidget host;
  host.show();
  std::vector<std::unique_ptr<TParamBinding>> bindings;
  int fields = 0;
  for (const auto& [table, rows] : tables) {
    for (const TParamRow& row : rows) {
      if (row.Control != TParamControl::Field) continue;
      SCOPED_TRACE(testing::Message() << table << ": " << row.Caption);
      bindings.push_back(std::make_unique<TParamBinding>(row, page, &host));
      auto* field = qobject_cast<TMyEdit*>(bindings.back()->Widget());
      ASSERT_NE(field, nullptr);
      field->show();
      auto* edit = field->findChild<QLineEdit*>();
      ASSERT_NE(edit, nullptr);
      const QFontMetrics metrics(edit->font());
      ++fields;
      for (int code = field->Low(); code <= field->High(); code += field->Step()) {
        field->SetCode(code);
        EXPECT_LE(metrics.horizontalAdvance(edit->text()), TextRoom(*edit))
            << edit->text().toStdString();
      }
    }
  }
  EXPECT_GT(fields, 100);
}
}  // namespace
