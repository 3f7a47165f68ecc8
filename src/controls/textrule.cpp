#include "controls/textrule.h"

TTextRule::TTextRule(TRule rule, QObject* parent) : QValidator(parent), rule_(std::move(rule)) {}

QValidator::State TTextRule::validate(QString& input, int& pos) const {
  const QString ruled = rule_(input);
  if (ruled != input) {
    // The cursor stays after the same characters: those before it, as the rule gives them.
    pos = static_cast<int>(std::min(rule_(input.left(pos)).size(), ruled.size()));
    input = ruled;
  }
  return Acceptable;
}

void TTextRule::fixup(QString& input) const {
  input = rule_(input);
}
