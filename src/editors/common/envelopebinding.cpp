#include "editors/common/envelopebinding.h"

#include <algorithm>

#include "editors/common/pagestate.h"

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
  const TGraphPoints points = graph_->Points();
  for (int i = 0; i < 4; ++i)
    page_.SendandStore(timeOffset_ + i,
                       static_cast<std::uint8_t>(points[static_cast<std::size_t>(2 + 2 * i)]));
  for (int i = 0; i < Levels(); ++i)
    page_.SendandStore(levelOffset_ + i,
                       static_cast<std::uint8_t>(points[static_cast<std::size_t>(3 + 2 * i)]));
}
