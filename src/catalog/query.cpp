#include "catalog/query.h"

#include <algorithm>
#include <unordered_map>

#include <QRegularExpression>

#include "catalog/soundrows.h"
#include "model/libelem.h"

namespace {
enum class TTermKind { Word, Kind, Category, Tag, Favourite, File, Duplicate, Hidden, Parameter };
enum class TOperator { Equal, NotEqual, Less, LessEqual, Greater, GreaterEqual };

// One row's test, remembered for every combination of the bytes its text depends on: a query
// meets the same few values over and over in 100,000 sounds.
class TRowTest {
 public:
  TRowTest(const TParamRow& row, TOperator op, const QString& text, double number)
      : row_(row), op_(op), text_(text), number_(number) {
    // A custom row's text reads the block's bytes up to its own (a wave's name, its group).
    first_ = row.Control == TParamControl::Custom ? 0 : row.Offset;
    count_ = row.Offset + row.Size - first_;
    if (count_ == 1) byteMemo_.assign(256, -1);
  }

  bool Holds(const std::uint8_t* data) const {
    if (count_ == 1) {
      std::int8_t& memo = byteMemo_[data[first_]];
      if (memo < 0) memo = Evaluate(data) ? 1 : 0;
      return memo != 0;
    }
    if (count_ > 8) return Evaluate(data);
    std::uint64_t key = 0;
    for (int i = 0; i < count_; ++i) key = key << 8 | data[first_ + i];
    const auto found = memo_.find(key);
    if (found != memo_.end()) return found->second;
    const bool holds = Evaluate(data);
    memo_.emplace(key, holds);
    return holds;
  }

 private:
  bool Evaluate(const std::uint8_t* data) const {
    const QString shown = ParamText(row_, data);
    switch (op_) {
      case TOperator::Equal:
        return NormalisedText(shown) == text_;
      case TOperator::NotEqual:
        return NormalisedText(shown) != text_;
      default:
        break;
    }
    double value = 0;
    if (!FirstNumber(shown, value)) return false;
    switch (op_) {
      case TOperator::Less:
        return value < number_;
      case TOperator::LessEqual:
        return value <= number_;
      case TOperator::Greater:
        return value > number_;
      default:
        return value >= number_;
    }
  }

  TParamRow row_;
  TOperator op_;
  QString text_;
  double number_;
  int first_ = 0;
  int count_ = 1;
  mutable std::vector<std::int8_t> byteMemo_;
  mutable std::unordered_map<std::uint64_t, bool> memo_;
};
}  // namespace

struct TQueryTerm {
  TTermKind Kind = TTermKind::Word;
  bool Negated = false;
  QString Text;  // word, category, tag, file text (as typed)
  int SoundKind = 0;
  // A parameter term.
  QString Family;
  int First = 0;
  int Last = 0;
  QString Caption;  // trimmed, lower case
  TOperator Op = TOperator::Equal;
  QString Value;  // normalised
  double Number = 0;
  // The tests of the rows with the caption, per set of rows (kind, block kind, effect type).
  mutable std::unordered_map<int, std::vector<std::unique_ptr<TRowTest>>> Tests;

  const std::vector<std::unique_ptr<TRowTest>>& TestsFor(int kind, const TSoundBlock& block,
                                                         const std::uint8_t* data) const {
    int key = kind * 1024;
    if (block.Number == 0)
      key += 512 + (kind == ekPatch ? data[12] : kind == ekPerformance ? data[13] : 0);
    else if (kind == ekPerformance && block.Number == 10)
      key += 1;
    auto found = Tests.find(key);
    if (found != Tests.end()) return found->second;
    std::vector<std::unique_ptr<TRowTest>> tests;
    for (const TParamRow& row : BlockRows(kind, block, data))
      if (QString::fromLatin1(row.Caption).trimmed().toLower() == Caption)
        tests.push_back(std::make_unique<TRowTest>(row, Op, Value, Number));
    return Tests.emplace(key, std::move(tests)).first->second;
  }

  bool HoldsParameter(const TIndexedSound& sound) const {
    const auto* data = reinterpret_cast<const std::uint8_t*>(sound.Data.constData());
    if (sound.Data.size() < SoundDataSize(sound.Kind)) return false;
    for (const TSoundBlock& block : SoundBlocks(sound.Kind)) {
      if (block.Family != Family || block.Number < First || block.Number > Last) continue;
      const std::uint8_t* blockData = data + block.Offset;
      for (const auto& test : TestsFor(sound.Kind, block, blockData))
        if (test->Holds(blockData)) return true;
    }
    return false;
  }

  bool Holds(const TIndexedSound& sound) const {
    switch (Kind) {
      case TTermKind::Word:
        return sound.Name.contains(Text, Qt::CaseInsensitive);
      case TTermKind::Kind:
        return sound.Kind == SoundKind;
      case TTermKind::Category:
        return sound.Categories.contains(Text, Qt::CaseInsensitive);
      case TTermKind::Tag:
        return sound.Tags.contains(Text, Qt::CaseInsensitive);
      case TTermKind::Favourite:
        return sound.Favourite;
      case TTermKind::Duplicate:
        return sound.Places.size() > 1;
      case TTermKind::Hidden:
        return sound.Hidden;
      case TTermKind::File:
        return true;
      case TTermKind::Parameter:
        return HoldsParameter(sound);
    }
    return false;
  }
};

QString NormalisedText(const QString& text) {
  return text.simplified().toLower();
}

bool FirstNumber(const QString& text, double& number) {
  static const QRegularExpression pattern(QStringLiteral("[-+]?\\d+(\\.\\d+)?"));
  const QRegularExpressionMatch match = pattern.match(text);
  if (!match.hasMatch()) return false;
  number = match.captured().toDouble();
  return true;
}

namespace {
// A term's text with the query position of each of its characters.
struct TToken {
  QString Text;
  std::vector<int> At;  // from 1
  int Start = 0;
  int End = 0;  // the position after its last character
  int PositionOf(qsizetype index) const {
    return index < static_cast<qsizetype>(At.size()) ? At[static_cast<std::size_t>(index)] : End;
  }
};

[[noreturn]] void Refuse(int position, const QString& reason) {
  throw TQueryError{position, reason};
}

std::vector<TToken> Tokens(const QString& text) {
  std::vector<TToken> tokens;
  qsizetype i = 0;
  while (i < text.size()) {
    if (text[i].isSpace()) {
      ++i;
      continue;
    }
    TToken token;
    token.Start = static_cast<int>(i) + 1;
    bool quoted = false;
    int quoteAt = 0;
    for (; i < text.size() && (quoted || !text[i].isSpace()); ++i) {
      if (text[i] == u'"') {
        quoted = !quoted;
        quoteAt = static_cast<int>(i) + 1;
        continue;
      }
      token.Text += text[i];
      token.At.push_back(static_cast<int>(i) + 1);
    }
    if (quoted) Refuse(quoteAt, QStringLiteral("the quote is not closed"));
    token.End = static_cast<int>(i) + 1;
    tokens.push_back(std::move(token));
  }
  return tokens;
}

const char* const kBlocks =
    "common, tone1 to tone4, tone, part1 to part16, part, note35 to note98, note, scale1 to "
    "scale17, scale";

void ParseParameter(TQueryTerm& term, const TToken& token, qsizetype from) {
  const QString& text = token.Text;
  const qsizetype slash = text.indexOf(u'/', from);
  if (slash < 0)
    Refuse(token.PositionOf(from),
           QStringLiteral("a parameter is written p:BLOCK/CAPTION OP VALUE"));
  const QString block = text.mid(from, slash - from).trimmed().toLower();
  static const QRegularExpression blockPattern(QStringLiteral("^([a-z]+)(\\d*)$"));
  const QRegularExpressionMatch match = blockPattern.match(block);
  int first = 0;
  int last = 0;
  if (!match.hasMatch() || !FamilyRange(match.captured(1), first, last) ||
      (match.captured(1) == QLatin1String("common") && !match.captured(2).isEmpty()))
    Refuse(token.PositionOf(from),
           QStringLiteral("unknown block \"%1\": %2").arg(block, QLatin1String(kBlocks)));
  term.Family = match.captured(1);
  term.First = first;
  term.Last = last;
  if (!match.captured(2).isEmpty()) {
    const int number = match.captured(2).toInt();
    if (number < first || number > last)
      Refuse(token.PositionOf(from),
             QStringLiteral("no block %1: %2%3 to %2%4")
                 .arg(block, term.Family)
                 .arg(first)
                 .arg(last));
    term.First = term.Last = number;
  }
  qsizetype op = slash + 1;
  while (op < text.size() && !QStringLiteral("=!<>").contains(text[op])) ++op;
  const QString caption = text.mid(slash + 1, op - slash - 1).trimmed();
  if (caption.isEmpty())
    Refuse(token.PositionOf(slash + 1), QStringLiteral("the parameter's caption is missing"));
  if (op >= text.size())
    Refuse(token.End, QStringLiteral("an operator is missing: =, !=, <, <=, > or >="));
  term.Caption = caption.toLower();
  if (!FamilyHasCaption(term.Family, term.Caption))
    Refuse(token.PositionOf(slash + 1),
           QStringLiteral("unknown caption \"%1\" in the %2 blocks").arg(caption, term.Family));
  const QString rest = text.mid(op);
  struct TOpName {
    const char* Text;
    TOperator Op;
  };
  static const TOpName kOps[] = {{"!=", TOperator::NotEqual}, {"<=", TOperator::LessEqual},
                                 {">=", TOperator::GreaterEqual}, {"=", TOperator::Equal},
                                 {"<", TOperator::Less}, {">", TOperator::Greater}};
  qsizetype length = 0;
  for (const TOpName& name : kOps)
    if (rest.startsWith(QLatin1String(name.Text))) {
      term.Op = name.Op;
      length = static_cast<qsizetype>(qstrlen(name.Text));
      break;
    }
  if (length == 0)
    Refuse(token.PositionOf(op), QStringLiteral("unknown operator: =, !=, <, <=, > or >="));
  const QString value = text.mid(op + length).trimmed();
  if (value.isEmpty()) Refuse(token.PositionOf(op + length), QStringLiteral("the value is missing"));
  term.Value = NormalisedText(value);
  if (term.Op != TOperator::Equal && term.Op != TOperator::NotEqual) {
    bool ok = false;
    term.Number = value.toDouble(&ok);
    if (!ok)
      Refuse(token.PositionOf(op + length),
             QStringLiteral("\"%1\" is not a number; %2 compares numbers")
                 .arg(value, rest.left(length)));
  }
}

std::unique_ptr<TQueryTerm> ParseTerm(const TToken& token) {
  auto term = std::make_unique<TQueryTerm>();
  qsizetype from = 0;
  // The "-" that negates stands before the term, outside or inside its quotes.
  if (token.Text.startsWith(u'-')) {
    term->Negated = true;
    from = 1;
    if (token.Text.size() == 1)
      Refuse(token.Start, QStringLiteral("a \"-\" needs a term right after it"));
  }
  const QString text = token.Text.mid(from);
  const QString lower = text.toLower();
  auto valueOf = [&](qsizetype prefix) {
    const QString value = text.mid(prefix).trimmed();
    if (value.isEmpty())
      Refuse(token.PositionOf(from + prefix),
             QStringLiteral("%1 needs a value").arg(text.left(prefix)));
    return value;
  };
  if (lower == QLatin1String("fav")) {
    term->Kind = TTermKind::Favourite;
  } else if (lower == QLatin1String("dup")) {
    term->Kind = TTermKind::Duplicate;
  } else if (lower == QLatin1String("hidden")) {
    term->Kind = TTermKind::Hidden;
  } else if (lower.startsWith(QLatin1String("kind:"))) {
    term->Kind = TTermKind::Kind;
    const QString kind = valueOf(5).toLower();
    static const std::pair<const char*, int> kKinds[] = {
        {"patch", ekPatch}, {"performance", ekPerformance}, {"rhythm", ekRhythm},
        {"system", ekSystem}};
    const auto found = std::find_if(std::begin(kKinds), std::end(kKinds),
                                    [&](const auto& k) { return kind == QLatin1String(k.first); });
    if (found == std::end(kKinds))
      Refuse(token.PositionOf(from + 5),
             QStringLiteral("unknown kind \"%1\": patch, performance, rhythm or system")
                 .arg(text.mid(5)));
    term->SoundKind = found->second;
  } else if (lower.startsWith(QLatin1String("cat:"))) {
    term->Kind = TTermKind::Category;
    term->Text = valueOf(4);
  } else if (lower.startsWith(QLatin1String("tag:"))) {
    term->Kind = TTermKind::Tag;
    term->Text = valueOf(4);
  } else if (lower.startsWith(QLatin1String("file:"))) {
    term->Kind = TTermKind::File;
    term->Text = valueOf(5);
  } else if (lower.startsWith(QLatin1String("p:"))) {
    term->Kind = TTermKind::Parameter;
    ParseParameter(*term, token, from + 2);
  } else {
    term->Text = text;
  }
  return term;
}
}  // namespace

TQuery::TQuery() = default;
TQuery::~TQuery() = default;
TQuery::TQuery(TQuery&&) noexcept = default;
TQuery& TQuery::operator=(TQuery&&) noexcept = default;

TQuery TQuery::Parse(const QString& text) {
  TQuery query;
  for (const TToken& token : Tokens(text)) {
    query.terms_.push_back(ParseTerm(token));
    if (query.terms_.back()->Kind == TTermKind::Hidden) query.hiddenNamed_ = true;
  }
  return query;
}

bool TQuery::Matches(const TIndexedSound& sound) const {
  if (sound.Hidden && !hiddenNamed_) return false;
  // The cheap terms first: a parameter term only meets the sounds the others let through.
  for (const auto& term : terms_)
    if (term->Kind != TTermKind::Parameter && term->Kind != TTermKind::File &&
        term->Holds(sound) == term->Negated)
      return false;
  for (const auto& term : terms_)
    if (term->Kind == TTermKind::Parameter && term->Holds(sound) == term->Negated) return false;
  return true;
}

bool TQuery::AllowsFile(const QString& path) const {
  for (const auto& term : terms_)
    if (term->Kind == TTermKind::File &&
        path.contains(term->Text, Qt::CaseInsensitive) == term->Negated)
      return false;
  return true;
}

std::vector<TFoundPlace> TQuery::Run(const TCatalogIndex& index) const {
  std::vector<char> allowed(static_cast<std::size_t>(index.Files.size()));
  for (qsizetype f = 0; f < index.Files.size(); ++f)
    allowed[static_cast<std::size_t>(f)] = AllowsFile(index.Files[f]) ? 1 : 0;
  std::vector<TFoundPlace> found;
  for (std::size_t s = 0; s < index.Sounds.size(); ++s) {
    const TIndexedSound& sound = index.Sounds[s];
    if (!Matches(sound)) continue;
    for (const auto& [file, element] : sound.Places)
      if (allowed[static_cast<std::size_t>(file)])
        found.push_back({static_cast<int>(s), file, element});
  }
  std::sort(found.begin(), found.end(), [](const TFoundPlace& a, const TFoundPlace& b) {
    return a.File != b.File ? a.File < b.File : a.Element < b.Element;
  });
  return found;
}
