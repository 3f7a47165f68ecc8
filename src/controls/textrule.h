#pragma once
// TTextRule: a validator that passes whatever is typed or pasted into a text box through one rule
// (a function from text to text) and keeps the cursor after what it had after. The rule never
// refuses: characters it drops are simply not taken. The name boxes use it with the rule of
// names kept in sound data.
#include <functional>

#include <QValidator>

class TTextRule : public QValidator {
 public:
  using TRule = std::function<QString(const QString&)>;
  explicit TTextRule(TRule rule, QObject* parent = nullptr);

  State validate(QString& input, int& pos) const override;
  void fixup(QString& input) const override;

 private:
  TRule rule_;
};
