#pragma once
// TParamBinding: the control of one parameter row on a page, and the tie between it and the
// page's block. It creates the widget the row's kind names (slider, value field, pan knob and
// click field, list, radio group, button group, check box, name field, stepped picture), shows
// the row's bytes in it (Show) and stores the control's value at its end of change through the
// page: SendandStore for one byte, SendAndStoreArray for a two-byte value or the name.
//
// Graph and Custom rows have no generic control: the page builds those itself.
#include <cstdint>
#include <functional>

#include <QLabel>
#include <QObject>
#include <QPointer>

#include "editors/params/paramrow.h"

class QPainter;
class QWidget;
class TPageState;

class TParamBinding : public QObject {
  Q_OBJECT
 public:
  // Draws a stepped picture (Picture rows) for a value into a rectangle of the given size.
  using TPainter = std::function<void(QPainter& painter, QSize size, int value)>;

  // The control is created as a child of parent; its objectName is "Param" + the row's offset.
  TParamBinding(const TParamRow& row, TPageState& page, QWidget* parent);
  ~TParamBinding() override;

  // Whether the row's kind has a generic control.
  static bool Buildable(const TParamRow& row);

  const TParamRow& Row() const { return row_; }
  // The control (for composite kinds the widget that holds its parts); none once it is deleted.
  QWidget* Widget() const { return widget_; }
  // The caption beside the control, or none (check boxes, groups and pictures carry their own, and
  // a deleted caption is none).
  QLabel* Label() const { return label_; }

  // Shows the row's bytes of a block's data. A byte outside the row's range is shown as
  // vesta-cli show shows it: a value field, a slider's or knob's number box, a list and a
  // stepped picture show its number in red, sliders and knobs have no thumb or pointer, lists
  // and groups nothing chosen, a check box is half checked, a name is red; a tool tip says why.
  // The first change brings it into range. Once the control is deleted, Show, Value and Store
  // do nothing.
  void Show(const std::uint8_t* data);
  // The stored value the control now shows (combined for a two-byte row).
  int Value() const;
  // Stores the control's value: what its end of change does.
  void Store();

  // Picture rows: how the picture is drawn (without one the label alone shows the item).
  void SetPainter(TPainter painter);
  // Picture rows: one step back (-1) or on (+1) within the row's range, redrawn, then stored.
  void StepPicture(int delta);

 private:
  struct TParts;
  void Build();
  // The caption as the accessible name of the control and its parts.
  void Name();
  void BuildSlider(bool stereo);
  void BuildField();
  void BuildPan();
  void BuildList();
  void BuildGroup(bool radio);
  void BuildCheck();
  void BuildName();
  void BuildPicture();
  int ShownMin() const;
  int ShownMax() const;
  void StoreStored(int stored);
  void StoreName();
  // The tool tip of a byte outside the row's range, and the marks that say so taken away.
  QString OutOfRangeTip(const std::uint8_t* data) const;
  void ClearOutOfRangeMarks();
  bool eventFilter(QObject* watched, QEvent* event) override;

  TParamRow row_;
  TPageState& page_;
  // Either may be deleted apart from the binding (a page taking a row away deletes both, in
  // either order): the binding then neither touches nor deletes it again.
  QPointer<QWidget> widget_;
  QPointer<QLabel> label_;
  TParts* parts_;
  int pictureValue_ = 0;
};
