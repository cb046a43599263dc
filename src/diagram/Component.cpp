#include "diagram/Component.h"

#include <algorithm>
#include <iterator>

namespace zedro {

void DrawingSurface::Destroy(const TComponent* element) {
  // From the back: what is destroyed is mostly what was created last.
  auto rit = std::find_if(owned_.rbegin(), owned_.rend(),
                          [&](const std::unique_ptr<TComponent>& p) { return p.get() == element; });
  if (rit == owned_.rend()) return;
  auto it = std::next(rit).base();
  if ((*it)->CountsAsComponent()) --componentCount_;
  std::unique_ptr<TComponent> doomed = std::move(*it);
  owned_.erase(it);
}

void DrawingSurface::DestroyAll() {
  // Connections refer to boxes; free them before the boxes.
  std::vector<std::unique_ptr<TComponent>> all = std::move(owned_);
  owned_.clear();
  componentCount_ = 0;
  for (auto& p : all)
    if (!p->CountsAsComponent()) p.reset();
  all.clear();
}

bool DrawingSurface::Owns(const TComponent* element) const {
  return std::any_of(owned_.begin(), owned_.end(),
                     [&](const std::unique_ptr<TComponent>& p) { return p.get() == element; });
}

}  // namespace zedro
