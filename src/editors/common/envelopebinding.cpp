#include "editors/common/envelopebinding.h"

#include <algorithm>
#include <vector>

#include "editors/common/pagestate.h"
#include "model/block.h"

TEnvelopeBinding::TEnvelopeBinding(TPageState& page, TGraphType type, int timeOffset,
                                   int levelOffset, QWidget* parent)
    : QObject(parent),
      page_(page),
      graph_(new TPanGraph(parent)),
      timeOffset_(timeOffset),
      levelOffset_(levelOffset) {
  graph_->SetGraphType(type);
  graph_->setObjectName(QStringLiteral("Envelope"));
  connect(graph_, &TPanGraph::OnEndchange, this, &TEnvelopeBinding::Store);
}

void TEnvelopeBinding::Show(const std::uint8_t* data) {
  TGraphPoints points{};
  points[1] = graph_->GraphType() == FirstHalf ? 63 : 0;
  for (int i = 0; i < 4; ++i) {
    points[static_cast<std::size_t>(2 + 2 * i)] = data[timeOffset_ + i];
    points[static_cast<std::size_t>(3 + 2 * i)] = i < Levels() ? data[levelOffset_ + i] : 0;
  }
  graph_->SetPoints(points);
}

void TEnvelopeBinding::Store() {
  // The times lie just before the levels: one drag is one change however many bytes it moved.
  const TGraphPoints points = graph_->Points();
  const int count = levelOffset_ - timeOffset_ + Levels();
  const std::uint8_t* held = page_.Block().Data() + timeOffset_;
  std::vector<std::uint8_t> bytes(held, held + count);
  for (int i = 0; i < 4; ++i)
    bytes[i] = static_cast<std::uint8_t>(points[static_cast<std::size_t>(2 + 2 * i)]);
  for (int i = 0; i < Levels(); ++i)
    bytes[levelOffset_ - timeOffset_ + i] =
        static_cast<std::uint8_t>(points[static_cast<std::size_t>(3 + 2 * i)]);
  page_.SendAndStoreChanges(timeOffset_, bytes.data(), count);
}
