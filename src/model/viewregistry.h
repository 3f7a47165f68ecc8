#pragma once
// The open views of every element, in one place: the windows that show an element register here
// while they exist, so that whoever changes the element refreshes them all (UpdateViews) and
// whoever frees it closes them all first. The editor window of each kind is created here too.
// The model never knows a window: a view is anything that can be refreshed and closed, and with
// no view registered (the command-line tools, the model tests) every request is simply skipped.
#include <functional>
#include <map>
#include <vector>

class QObject;
class TLibElem;

class TElementView {
 public:
  virtual ~TElementView() = default;
  // The element shown; none once the view has let go of it.
  virtual TLibElem* Element() const = 0;
  // Shows the element's data again.
  virtual void UpdateView() = 0;
  // Lets go of the element at once (the element may be freed right after) and closes the window.
  virtual void CloseView() = 0;
  // A view of a container that also shows its members' data (a bank window shows its members'
  // names), refreshed when a member changes.
  virtual bool ShowsMembers() const { return false; }
  // The name of the element shown, or of one of its members, changed: show it again where the
  // view shows it (caption, rows) and leave everything else as it is.
  virtual void ShowName() {}
};

class TViewRegistry {
 public:
  // Creates the editor window of an element and returns it; none when it could not.
  using TFactory = std::function<QObject*(TLibElem&)>;

  void SetFactory(int kind, TFactory factory);
  bool HasFactory(int kind) const;
  // The editor window of the element's kind, or none.
  QObject* CreateEditor(TLibElem& element) const;

  // Views register when they start showing an element and leave when they stop.
  void Add(TLibElem& element, TElementView& view);
  void Remove(TLibElem& element, TElementView& view);
  // Every view of the element in the order they registered (a hub before its pages).
  std::vector<TElementView*> ViewsOf(const TLibElem& element) const;
  bool HasViews(const TLibElem& element) const;

  // The element's views, then the member-showing views of its owner.
  void Update(TLibElem& element);
  // The element's views only.
  void UpdateOwn(TLibElem& element);
  // The element's name changed: its views and its owner's views show the new one (ShowName).
  void ShowName(TLibElem& element);
  // Closes the element's views, the last registered first (pages before their hub).
  void Close(TLibElem& element);

 private:
  std::map<int, TFactory> factories_;
  std::map<const TLibElem*, std::vector<TElementView*>> views_;
};

// The program's registry.
TViewRegistry& Views();
