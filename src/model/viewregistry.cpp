#include "model/viewregistry.h"

#include <algorithm>

#include "model/libelem.h"

TViewRegistry& Views() {
  static TViewRegistry registry;
  return registry;
}

void TViewRegistry::SetFactory(int kind, TFactory factory) {
  if (factory)
    factories_[kind] = std::move(factory);
  else
    factories_.erase(kind);
}

bool TViewRegistry::HasFactory(int kind) const {
  return factories_.count(kind) != 0;
}

QObject* TViewRegistry::CreateEditor(TLibElem& element) const {
  const auto found = factories_.find(element.Kind);
  return found == factories_.end() ? nullptr : found->second(element);
}

void TViewRegistry::Add(TLibElem& element, TElementView& view) {
  std::vector<TElementView*>& views = views_[&element];
  if (std::find(views.begin(), views.end(), &view) == views.end()) views.push_back(&view);
}

void TViewRegistry::Remove(TLibElem& element, TElementView& view) {
  const auto found = views_.find(&element);
  if (found == views_.end()) return;
  std::erase(found->second, &view);
  if (found->second.empty()) views_.erase(found);
}

std::vector<TElementView*> TViewRegistry::ViewsOf(const TLibElem& element) const {
  const auto found = views_.find(&element);
  return found == views_.end() ? std::vector<TElementView*>() : found->second;
}

bool TViewRegistry::HasViews(const TLibElem& element) const {
  return views_.count(&element) != 0;
}

void TViewRegistry::UpdateOwn(TLibElem& element) {
  // A copy: a view may close itself, or open another, while it refreshes.
  for (TElementView* view : ViewsOf(element)) {
    const std::vector<TElementView*> now = ViewsOf(element);
    if (std::find(now.begin(), now.end(), view) != now.end()) view->UpdateView();
  }
}

void TViewRegistry::Update(TLibElem& element) {
  UpdateOwn(element);
  if (!element.Owner) return;
  for (TElementView* view : ViewsOf(*element.Owner))
    if (view->ShowsMembers()) view->UpdateView();
}

void TViewRegistry::ShowName(TLibElem& element) {
  for (TElementView* view : ViewsOf(element)) view->ShowName();
  if (element.Owner)
    for (TElementView* view : ViewsOf(*element.Owner)) view->ShowName();
}

void TViewRegistry::Close(TLibElem& element) {
  // Each view leaves the registry as it closes; one that does not is dropped here, so the loop
  // always ends.
  while (HasViews(element)) {
    TElementView* view = views_[&element].back();
    view->CloseView();
    Remove(element, *view);
  }
}
