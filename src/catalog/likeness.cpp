#include "catalog/likeness.h"

#include <algorithm>
#include <numeric>

#include "catalog/soundrows.h"
#include "editors/params/paramlisting.h"
#include "editors/params/params.h"
#include "model/libelem.h"

namespace {
struct TColumn {
  int Offset = 0;  // in the sound's data
  int Size = 1;
  bool Numeric = false;
  float Scale = 1;  // 1 / (max - min) for numeric rows
};

bool IsNumeric(const TParamRow& row) {
  switch (row.Control) {
    case TParamControl::Slider:
    case TParamControl::StereoSlider:
    case TParamControl::Field:
    case TParamControl::Pan:
    case TParamControl::Graph:
      return row.Max > row.Min;
    case TParamControl::Custom:
      // The custom rows are a wave's or patch's number (one number in two bytes) and the group
      // it is chosen from, which is a choice of two or three.
      return row.Max - row.Min > 2;
    default:
      return false;
  }
}

TColumn ColumnOf(const TParamRow& row, int blockOffset) {
  TColumn column;
  column.Offset = blockOffset + row.Offset;
  column.Size = row.Size;
  column.Numeric = IsNumeric(row);
  if (column.Numeric) column.Scale = 1.0f / static_cast<float>(row.Max - row.Min);
  return column;
}

int Stored(const std::uint8_t* data, const TColumn& column) {
  return column.Size == 2 ? data[column.Offset] * 16 + data[column.Offset + 1]
                          : data[column.Offset];
}
}  // namespace

// The columns of a kind: the rows every sound of it has, then per effect type the type's own.
struct TLikeness::TPlan {
  std::vector<TColumn> Shared;
  std::vector<std::vector<TColumn>> Types;
  int TypeOffset = -1;  // where the effect type is stored in the data; -1 without effects

  static const TPlan& Of(int kind) {
    static const TPlan plans[4] = {Make(ekPatch), Make(ekPerformance), Make(ekRhythm),
                                   Make(ekSystem)};
    return plans[std::clamp(kind / 2, 0, 3)];
  }

  static TPlan Make(int kind) {
    TPlan plan;
    const int shift = kind == ekPerformance ? 1 : 0;
    std::vector<std::uint8_t> zeros(static_cast<std::size_t>(SoundDataSize(kind)), 0);
    for (const TSoundBlock& block : SoundBlocks(kind)) {
      std::vector<TParamRow> rows;
      if (block.Number == 0) {
        // The common rows without the effect type's own (offsets 13 to 24 of a patch).
        for (const TParamRow& row : BlockRows(kind, block, zeros.data()))
          if (kind != ekPatch && kind != ekPerformance) rows.push_back(row);
        if (kind == ekPatch) rows.assign(PatchCommonRows().begin(), PatchCommonRows().end());
        if (kind == ekPerformance) {
          rows.assign(PerformanceCommonRows().begin(), PerformanceCommonRows().end());
          rows.push_back(EfxSourceRow());
        }
        for (const TParamRow& row : EffectPageRows())
          if (kind == ekPatch || kind == ekPerformance) rows.push_back(ShiftedRow(row, shift));
      } else {
        rows = BlockRows(kind, block, zeros.data());
      }
      for (const TParamRow& row : rows)
        if (row.Control != TParamControl::Name && row.Size <= 2)
          plan.Shared.push_back(ColumnOf(row, block.Offset));
    }
    if (kind == ekPatch || kind == ekPerformance) {
      plan.TypeOffset = 12 + shift;
      for (const TEffectType& type : EffectTypes()) {
        std::vector<TColumn> columns;
        for (const TParamRow& row : type.Rows)
          if (row.Size <= 2) columns.push_back(ColumnOf(ShiftedRow(row, shift), 0));
        plan.Types.push_back(std::move(columns));
      }
    }
    // Numeric columns first, so the distance runs over two plain stretches.
    std::stable_partition(plan.Shared.begin(), plan.Shared.end(),
                          [](const TColumn& c) { return c.Numeric; });
    return plan;
  }

  int Type(const std::uint8_t* data) const {
    return TypeOffset < 0 ? -1 : data[TypeOffset];
  }
  const std::vector<TColumn>* TypeColumns(int type) const {
    return type >= 0 && type < static_cast<int>(Types.size())
               ? &Types[static_cast<std::size_t>(type)]
               : nullptr;
  }
};

namespace {
double Sum(const std::vector<TColumn>& columns, const std::uint8_t* a, const std::uint8_t* b) {
  double sum = 0;
  for (const TColumn& column : columns) {
    const int difference = std::abs(Stored(a, column) - Stored(b, column));
    sum += column.Numeric ? std::min(1.0f, static_cast<float>(difference) * column.Scale)
                          : (difference != 0 ? 1.0 : 0.0);
  }
  return sum;
}
}  // namespace

double TLikeness::Distance(int kind, const QByteArray& a, const QByteArray& b) {
  const TPlan& plan = TPlan::Of(kind);
  const int size = SoundDataSize(kind);
  if (a.size() < size || b.size() < size) return 1;
  const auto* da = reinterpret_cast<const std::uint8_t*>(a.constData());
  const auto* db = reinterpret_cast<const std::uint8_t*>(b.constData());
  double sum = Sum(plan.Shared, da, db);
  std::size_t count = plan.Shared.size();
  const int type = plan.Type(da);
  if (type == plan.Type(db))
    if (const auto* columns = plan.TypeColumns(type)) {
      sum += Sum(*columns, da, db);
      count += columns->size();
    }
  return count == 0 ? 0 : sum / static_cast<double>(count);
}

// Each sound of a kind as one row of stored values (one byte each, numeric columns first), so
// that a search runs through one block of memory.
struct TLikeness::TMatrix {
  std::vector<int> Sounds;
  std::vector<std::uint8_t> Values;  // Sounds.size() rows of Width bytes
  std::vector<std::int8_t> Types;
  std::vector<float> Scales;  // of the numeric shared columns
  int Numeric = 0;
  int Width = 0;  // shared columns, then 12 for the effect type's own
  int Extra = 0;
};

namespace {
constexpr int kTypeColumns = 12;

std::uint8_t Value(const std::uint8_t* data, const TColumn& column) {
  return static_cast<std::uint8_t>(std::min(255, Stored(data, column)));
}
}  // namespace

TLikeness::TLikeness(const TCatalogIndex& index) : index_(index) {
  matrices_.resize(4);
  for (int k = 0; k < 4; ++k) {
    const int kind = k * 2;
    const TPlan& plan = TPlan::Of(kind);
    auto matrix = std::make_unique<TMatrix>();
    matrix->Extra = plan.TypeOffset < 0 ? 0 : kTypeColumns;
    matrix->Width = static_cast<int>(plan.Shared.size()) + matrix->Extra;
    for (const TColumn& column : plan.Shared)
      if (column.Numeric) {
        matrix->Scales.push_back(column.Scale);
        ++matrix->Numeric;
      }
    const int size = SoundDataSize(kind);
    for (std::size_t s = 0; s < index.Sounds.size(); ++s) {
      const TIndexedSound& sound = index.Sounds[s];
      if (sound.Kind != kind || sound.Hidden || sound.Data.size() < size) continue;
      const auto* data = reinterpret_cast<const std::uint8_t*>(sound.Data.constData());
      matrix->Sounds.push_back(static_cast<int>(s));
      for (const TColumn& column : plan.Shared) matrix->Values.push_back(Value(data, column));
      const int type = plan.Type(data);
      const auto* columns = plan.TypeColumns(type);
      matrix->Types.push_back(static_cast<std::int8_t>(columns ? type : -1));
      for (int c = 0; c < matrix->Extra; ++c)
        matrix->Values.push_back(columns && c < static_cast<int>(columns->size())
                                     ? Value(data, (*columns)[static_cast<std::size_t>(c)])
                                     : 0);
    }
    matrices_[static_cast<std::size_t>(k)] = std::move(matrix);
  }
}

TLikeness::~TLikeness() = default;

std::vector<TNearSound> TLikeness::Nearest(int kind, const QByteArray& data, int k) const {
  const TPlan& plan = TPlan::Of(kind);
  const TMatrix& matrix = *matrices_[static_cast<std::size_t>(std::clamp(kind / 2, 0, 3))];
  std::vector<TNearSound> near;
  if (data.size() < SoundDataSize(kind) || k <= 0) return near;
  const auto* bytes = reinterpret_cast<const std::uint8_t*>(data.constData());
  // The asked sound laid out as a matrix row.
  std::vector<std::uint8_t> own;
  for (const TColumn& column : plan.Shared) own.push_back(Value(bytes, column));
  const int type = plan.Type(bytes);
  const auto* typeColumns = plan.TypeColumns(type);
  const int ownType = typeColumns ? type : -1;
  for (int c = 0; c < matrix.Extra; ++c)
    own.push_back(typeColumns && c < static_cast<int>(typeColumns->size())
                      ? Value(bytes, (*typeColumns)[static_cast<std::size_t>(c)])
                      : 0);
  const int shared = matrix.Width - matrix.Extra;
  const int typeCount = typeColumns ? static_cast<int>(typeColumns->size()) : 0;
  std::vector<float> typeScales(static_cast<std::size_t>(typeCount), 0.0f);
  std::vector<char> typeNumeric(static_cast<std::size_t>(typeCount), 0);
  for (int c = 0; c < typeCount; ++c) {
    typeScales[static_cast<std::size_t>(c)] = (*typeColumns)[static_cast<std::size_t>(c)].Scale;
    typeNumeric[static_cast<std::size_t>(c)] =
        (*typeColumns)[static_cast<std::size_t>(c)].Numeric ? 1 : 0;
  }
  near.reserve(matrix.Sounds.size());
  const std::uint8_t* a = own.data();
  for (std::size_t r = 0; r < matrix.Sounds.size(); ++r) {
    const std::uint8_t* b = matrix.Values.data() + r * static_cast<std::size_t>(matrix.Width);
    float sum = 0;
    for (int c = 0; c < matrix.Numeric; ++c)
      sum += std::min(1.0f, static_cast<float>(std::abs(a[c] - b[c])) *
                                matrix.Scales[static_cast<std::size_t>(c)]);
    int different = 0;
    for (int c = matrix.Numeric; c < shared; ++c) different += a[c] != b[c];
    int count = shared;
    if (ownType >= 0 && matrix.Types[r] == ownType) {
      for (int c = 0; c < typeCount; ++c) {
        const int difference = std::abs(a[shared + c] - b[shared + c]);
        sum += typeNumeric[static_cast<std::size_t>(c)]
                   ? std::min(1.0f, static_cast<float>(difference) *
                                        typeScales[static_cast<std::size_t>(c)])
                   : (difference != 0 ? 1.0f : 0.0f);
      }
      count += typeCount;
    }
    near.push_back({matrix.Sounds[r], count ? (sum + different) / count : 0.0});
  }
  const auto firstPlace = [this](int sound) {
    const auto& places = index_.Sounds[static_cast<std::size_t>(sound)].Places;
    return places.empty() ? std::pair<int, int>(INT32_MAX, 0) : places.front();
  };
  const auto closer = [&](const TNearSound& x, const TNearSound& y) {
    if (x.Distance != y.Distance) return x.Distance < y.Distance;
    return firstPlace(x.Sound) < firstPlace(y.Sound);
  };
  const std::size_t keep = std::min(near.size(), static_cast<std::size_t>(k));
  std::partial_sort(near.begin(), near.begin() + static_cast<std::ptrdiff_t>(keep), near.end(),
                    closer);
  near.resize(keep);
  return near;
}
