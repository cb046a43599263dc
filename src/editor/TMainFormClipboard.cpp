// The frame's class clipboard refers to boxes that stay in their diagrams; boxes leave it
// before they are freed.
#include "diagram/DiagramDocument.h"
#include "editor/TMainForm.h"

namespace zedro {

void TMainForm::ForgetClipboardBox(const TUMLDrawClass* box) {
  if (!box) return;
  while (ClipboardBoxes.Contains(box)) ClipboardBoxes.Remove(box);
  if (ClipboardBox == box) ClipboardBox = nullptr;
}

void TMainForm::ForgetClipboardBoxesOf(const DiagramDocument& doc) {
  for (const TUMLDrawClass* box : doc.DrawClasses.Items) ForgetClipboardBox(box);
  for (const auto& sub : doc.SubDiagrams)
    for (const TUMLDrawClass* box : sub->DrawClasses.Items) ForgetClipboardBox(box);
}

}  // namespace zedro
