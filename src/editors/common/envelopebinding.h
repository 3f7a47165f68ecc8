#pragma once
// TEnvelopeBinding: a four-point envelope graph (TPanGraph) tied to the bytes of a page's block:
// times 1 to 4 at timeOffset, then levels at levelOffset (four, or three when the graph's last
// level is locked at 0 and not stored), the levels right after the times. At the graph's end of
// change the bytes from the first changed to the last changed are stored as one change: one
// message and one Undo step for a drag, whatever it moved.
#include <cstdint>

#include <QObject>

#include "controls/pangraph.h"

class TPageState;

class TEnvelopeBinding : public QObject {
  Q_OBJECT
 public:
  TEnvelopeBinding(TPageState& page, TGraphType type, int timeOffset, int levelOffset,
                   QWidget* parent);

  TPanGraph* Graph() const { return graph_; }
  int Levels() const { return graph_->GraphType() == LastLocked ? 3 : 4; }
  // Shows the block's bytes (a locked fourth level as 0).
  void Show(const std::uint8_t* data);
  // Stores what the graph shows as one change.
  void Store();

 private:
  TPageState& page_;
  TPanGraph* graph_;
  int timeOffset_;
  int levelOffset_;
};
