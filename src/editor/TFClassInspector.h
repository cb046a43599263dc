// The class inspector: a tool window of the frame that always shows one class, the
// current class of the active diagram window, with its attributes and methods in a tree
// and buttons for new attributes and methods, overriding a method of the predecessor
// class, the class's name and kind and its description. Selecting a member in the tree
// opens the dialog that changes or deletes it. The rules themselves are MemberEditor's.
#pragma once

#include <QWidget>

#include "editor/TMainForm.h"

class QLabel;
class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;

namespace zedro {

class TFClassInspector : public QWidget, public IClassInspector {
  Q_OBJECT

 public:
  // A tool window owned by the frame.
  explicit TFClassInspector(TMainForm& form);

  // Rebuilds the window for the class (nullptr: disabled and empty).
  void ShowClass(TUMLClass* cls) override;
  void ShowInspectorWindow() override;
  int InspectorWidth() const override { return width(); }

  // The buttons.
  void BtNewAttributeClick();
  void BtNewMethodClick();
  void BtOverrideMethodClick();
  void BtChangeNameClick();
  void BtDokuClick();
  // A node of the tree was selected: a member opens its dialog. Selecting a node with
  // the mouse or the keyboard runs this once the selection has settled.
  void TVclassChange(QTreeWidgetItem* node);

  QLabel* LbClassName = nullptr;
  QTreeWidget* TVclass = nullptr;
  QTreeWidgetItem* AttributesNode = nullptr;
  QTreeWidgetItem* MethodsNode = nullptr;
  QTreeWidgetItem* ClassMethodsNode = nullptr;
  QPushButton* BtNewAttribute = nullptr;
  QPushButton* BtNewMethod = nullptr;
  QPushButton* BtOverrideMethod = nullptr;
  QPushButton* BtChangeName = nullptr;
  QPushButton* BtDoku = nullptr;

 private:
  // What a node stands for, taken before the tree may be rebuilt.
  struct NodeChoice {
    enum Kind { None, Root, Group, Attribute, Method } kind = None;
    void* member = nullptr;
    TUMLClass* cls = nullptr;  // the class shown when the node was chosen
  };
  NodeChoice Classify(QTreeWidgetItem* node) const;
  void Run(NodeChoice choice);
  // The shown class while it still belongs to an open diagram; otherwise the inspector
  // shows no class and the result is nullptr.
  TUMLClass* LiveClass();
  void SetFontsGrey(bool grey);

  TMainForm& form_;
  TUMLClass* class_ = nullptr;
  bool rebuilding_ = false;
};

}  // namespace zedro
