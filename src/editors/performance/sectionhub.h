#pragma once
// TSectionHub: the hub window of a performance, rhythm set or system: the framework's hub with
// one section panel per section window, a gradient background, and section drags that copy the
// dragged sections' bytes (the object's copy table) into another window of the same kind. A
// click with Ctrl adds a panel to the selection or takes it out again.
#include <span>
#include <vector>

#include "editors/common/hubwindow.h"
#include "editors/params/params.h"

class QVBoxLayout;
class TFountainFill;

class TSectionHub : public THubWindow {
  Q_OBJECT
 public:
  TSectionHub(TLibElem& element, THubDesign design, std::span<const TCopySection> sections,
              QWidget* parent = nullptr);

  TFountainFill* Background() const { return background_; }
  // The panel of a section kind.
  TPartButton* Panel(int kind) const;

  // Opens the section's window, or brings the open one to the front.
  virtual void OpenSection(int kind) = 0;
  // With Ctrl a panel is added to the selection or taken out again; without, the framework's
  // rule (a panel not yet selected becomes the only one).
  void SelectPart(TPartButton* part, bool ctrl) override;

  // The object's common block data and its part (note, scale tune) blocks, for section copies.
  virtual std::uint8_t* CommonData() = 0;
  virtual int PartCount() const = 0;
  virtual std::uint8_t* PartData(int index) = 0;

 protected:
  // What the window holds below its tool bar, on the gradient.
  QVBoxLayout* Body() const { return body_; }
  // The section panels side by side in a container below what the body holds already.
  void AddSections(const QString& container,
                   std::initializer_list<std::pair<const char*, const char*>> panels);
  void OpenPart(TPartButton& part) override { OpenSection(part.Kind()); }
  // Another window of the same kind, and a dragged section of the panel's kind.
  bool AcceptDrop(const THubWindow& source, const TDragInfo& drag,
                  const TPartButton& target) const override;
  // Every dragged section's bytes; the copied panels are shown selected.
  void CopyParts(THubWindow& source, const TDragInfo& drag, TPartButton& target) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  std::span<const TCopySection> sections_;
  TFountainFill* background_;
  QVBoxLayout* body_;
};
