#include "diagram/Component.h"

#include <algorithm>

namespace zedro {

void DrawingSurface::Destroy(const TComponent* element) {
  auto it = std::find_if(owned_.begin(), owned_.end(),
                         [&](const std::unique_ptr<TComponent>& p) { return p.get() == element; });
  if (it == owned_.end()) return;
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
