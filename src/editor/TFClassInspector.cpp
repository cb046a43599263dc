#include "editor/TFClassInspector.h"

#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <algorithm>

#include "editor/DialogService.h"
#include "editor/MemberEditor.h"
#include "editor/QtText.h"
#include "editor/TFChild.h"
#include "model/Win1252.h"

namespace zedro {

namespace {

constexpr int kInspectorWidth = 260;
const QColor kGrey(0x80, 0x80, 0x80);  // 8421504

std::string AttributeNodeText(const TAttribute& a) {
  return std::string(VisibilitySymbol(a.Visibility)) + " " + a.Name + ": " + a.TypeName;
}

std::string MethodNodeText(const TMethod& m) {
  return std::string(VisibilitySymbol(m.Visibility)) + " " +
         (m.Kind == TMethodKind::Function ? "? " : "! ") + m.MethodSignature();
}

QTreeWidgetItem* AddNode(QTreeWidgetItem* parent, const std::string& text, void* member) {
  auto* node = new QTreeWidgetItem(parent, QStringList{Q(text)});
  node->setData(0, Qt::UserRole, QVariant::fromValue(reinterpret_cast<quintptr>(member)));
  return node;
}

}  // namespace

TFClassInspector::TFClassInspector(TMainForm& form) : QWidget(&form, Qt::Tool), form_(form) {
  setObjectName("FClassInspector");
  setWindowTitle("Klasseninspektor");
  // A tool window beside the diagrams: showing it leaves the keys with the diagram.
  setAttribute(Qt::WA_ShowWithoutActivating);
  auto* layout = new QVBoxLayout(this);
  LbClassName = new QLabel("--", this);
  LbClassName->setObjectName("LbClassName");
  layout->addWidget(LbClassName);
  TVclass = new QTreeWidget(this);
  TVclass->setObjectName("TVclass");
  TVclass->setHeaderHidden(true);
  TVclass->setColumnCount(1);
  layout->addWidget(TVclass, 1);
  auto button = [this, layout](const char* name, const std::string& caption) {
    auto* b = new QPushButton(Q(caption), this);
    b->setObjectName(name);
    layout->addWidget(b);
    return b;
  };
  BtNewAttribute = button("BtNewAttribute", W("Attribut hinzufügen ..."));
  BtNewMethod = button("BtNewMethod", W("Methode hinzufügen ..."));
  BtOverrideMethod = button("BtOverrideMethod", W("Methode überschreiben"));
  BtChangeName = button("BtChangeName", W("&Klassenname oder Art ändern ..."));
  BtDoku = button("BtDoku", "Beschreibung...");
  connect(BtNewAttribute, &QPushButton::clicked, this, [this] { BtNewAttributeClick(); });
  connect(BtNewMethod, &QPushButton::clicked, this, [this] { BtNewMethodClick(); });
  connect(BtOverrideMethod, &QPushButton::clicked, this, [this] { BtOverrideMethodClick(); });
  connect(BtChangeName, &QPushButton::clicked, this, [this] { BtChangeNameClick(); });
  connect(BtDoku, &QPushButton::clicked, this, [this] { BtDokuClick(); });
  // The dialog of a selected member opens after the selection has settled, so that the
  // tree may be rebuilt without pulling the selected node from under the view.
  connect(TVclass, &QTreeWidget::currentItemChanged, this,
          [this](QTreeWidgetItem* current, QTreeWidgetItem*) {
            if (rebuilding_ || !current) return;
            NodeChoice choice = Classify(current);
            QTimer::singleShot(0, this, [this, choice] { Run(choice); });
          });

  const int height = std::max(400, form.Dialogs().ScreenHeight() - 20);
  setGeometry(0, 0, kInspectorWidth, height);
  ShowClass(nullptr);
}

void TFClassInspector::ShowInspectorWindow() {
  // A window that is shown now comes up on top anyway.
  const bool wasVisible = isVisible();
  show();
  if (wasVisible) raise();
}

void TFClassInspector::SetFontsGrey(bool grey) {
  // Only the colours of the enabled states: a disabled button or tree keeps the style's
  // disabled look, so that it does not look usable next to the other disabled buttons.
  const QColor colour = grey ? kGrey : QColor(Qt::black);
  QPalette tree = TVclass->palette();
  QPalette doku = BtDoku->palette();
  for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive}) {
    tree.setColor(group, QPalette::Text, colour);
    doku.setColor(group, QPalette::ButtonText, colour);
  }
  TVclass->setPalette(tree);
  BtDoku->setPalette(doku);
}

void TFClassInspector::ShowClass(TUMLClass* cls) {
  class_ = cls;
  rebuilding_ = true;
  TVclass->clear();
  AttributesNode = MethodsNode = ClassMethodsNode = nullptr;
  if (!cls) {
    setEnabled(false);
    for (QPushButton* b : {BtNewAttribute, BtNewMethod, BtOverrideMethod, BtChangeName, BtDoku})
      b->setEnabled(false);
    SetFontsGrey(true);
    LbClassName->setText("--");
    rebuilding_ = false;
    return;
  }
  // A library class can be looked at but not changed.
  setEnabled(true);
  const bool library = cls->IsLibraryClass;
  BtNewAttribute->setEnabled(!library);
  BtNewMethod->setEnabled(!library);
  BtChangeName->setEnabled(!library);
  BtDoku->setEnabled(!library);
  BtOverrideMethod->setEnabled(!library && cls->Parent != nullptr);
  SetFontsGrey(library);
  LbClassName->setText(Q(cls->Name));

  auto* root = new QTreeWidgetItem(TVclass, QStringList{Q("Klasse: " + cls->Name)});
  AttributesNode = AddNode(root, "Attribute", nullptr);
  for (TAttribute* a : cls->Attributes.Items) AddNode(AttributesNode, AttributeNodeText(*a), a);
  MethodsNode = AddNode(root, "Methoden", nullptr);
  bool classMethods = false;
  for (TMethod* m : cls->Methods.Items) {
    if (m->IsClassMethod)
      classMethods = true;
    else
      AddNode(MethodsNode, MethodNodeText(*m), m);
  }
  if (classMethods) {
    ClassMethodsNode = AddNode(root, "Klassen-Methoden", nullptr);
    for (TMethod* m : cls->Methods.Items)
      if (m->IsClassMethod) AddNode(ClassMethodsNode, MethodNodeText(*m), m);
  }
  TVclass->expandAll();
  rebuilding_ = false;
}

TUMLClass* TFClassInspector::LiveClass() {
  if (!class_) return nullptr;
  for (TFChild* child : form_.Children()) {
    const auto& boxes = child->Doc().DrawClasses.Items;
    if (std::any_of(boxes.begin(), boxes.end(),
                    [this](const TUMLDrawClass* b) { return b->UMLClass == class_; }))
      return class_;
  }
  ShowClass(nullptr);
  return nullptr;
}

// ---- buttons ---------------------------------------------------------------------------

void TFClassInspector::BtNewAttributeClick() { MemberEditor(form_).NewAttribute(LiveClass()); }
void TFClassInspector::BtNewMethodClick() { MemberEditor(form_).NewMethod(LiveClass()); }
void TFClassInspector::BtOverrideMethodClick() { MemberEditor(form_).OverrideMethod(LiveClass()); }
void TFClassInspector::BtChangeNameClick() { MemberEditor(form_).ChangeNameAndKind(LiveClass()); }
void TFClassInspector::BtDokuClick() { MemberEditor(form_).ChangeDescription(LiveClass()); }

// ---- tree ------------------------------------------------------------------------------

TFClassInspector::NodeChoice TFClassInspector::Classify(QTreeWidgetItem* node) const {
  NodeChoice choice;
  if (!node) return choice;
  choice.cls = class_;
  QTreeWidgetItem* parent = node->parent();
  if (!parent) {
    choice.kind = NodeChoice::Root;
    return choice;
  }
  choice.member = reinterpret_cast<void*>(node->data(0, Qt::UserRole).value<quintptr>());
  if (parent == AttributesNode && choice.member)
    choice.kind = NodeChoice::Attribute;
  else if ((parent == MethodsNode || parent == ClassMethodsNode) && choice.member)
    choice.kind = NodeChoice::Method;
  else
    choice.kind = NodeChoice::Group;
  return choice;
}

void TFClassInspector::TVclassChange(QTreeWidgetItem* node) { Run(Classify(node)); }

void TFClassInspector::Run(NodeChoice choice) {
  if (choice.kind == NodeChoice::None || choice.kind == NodeChoice::Root) return;
  TUMLClass* cls = LiveClass();
  if (!cls || cls != choice.cls) return;
  MemberEditor editor(form_);
  // A node of an older tree may name a member that has left the class meanwhile.
  if (choice.kind == NodeChoice::Attribute) {
    auto* a = static_cast<TAttribute*>(choice.member);
    if (cls->Attributes.Contains(a)) editor.ChangeAttribute(*cls, *a);
    cls->SortMembers();
  } else if (choice.kind == NodeChoice::Method) {
    auto* m = static_cast<TMethod*>(choice.member);
    if (cls->Methods.Contains(m)) editor.ChangeMethod(*cls, *m);
    cls->SortMembers();
  }
  ShowClass(cls);
  form_.RedrawActiveDiagram();
}

}  // namespace zedro
