// The rules for editing a class and its members: new and changed attributes with their
// generated read and write methods, new and changed methods, deleting members with their
// questions, overriding a method of the predecessor class, the class's name and kind and
// its description. The class inspector's buttons and tree and the diagram window's member
// commands all run these operations; every dialog and question goes through the frame's
// dialog service, and every change ends with the inspector showing the class again and a
// full redraw of the active diagram.
#pragma once

#include <string>

#include "model/UMLClass.h"

namespace zedro {

class IDialogService;
class TMainForm;

class MemberEditor {
 public:
  explicit MemberEditor(TMainForm& form);

  // The buttons of the inspector; cls is the shown class or nullptr.
  void NewAttribute(TUMLClass* cls);
  void NewMethod(TUMLClass* cls);
  void OverrideMethod(TUMLClass* cls);
  void ChangeNameAndKind(TUMLClass* cls);
  void ChangeDescription(TUMLClass* cls);
  // A member selected in the inspector's tree.
  void ChangeAttribute(TUMLClass& cls, TAttribute& attribute);
  void ChangeMethod(TUMLClass& cls, TMethod& method);

  // Takes a method out of its class: attributes and messages that referred to it forget
  // it, so nothing reaches it any more.
  void DeleteMethod(TUMLClass& cls, TMethod* method);

 private:
  IDialogService& Dialogs();
  // True unless the class is a library class, which gets the library message.
  bool MayChange(const TUMLClass& cls);
  // False (after "Keine aktive Klasse vorhanden") without a class.
  bool RequireClass(const TUMLClass* cls);
  // The active diagram's Java item is ticked.
  bool ActiveDiagramIsJava() const;
  void ShowAndRedraw(TUMLClass* cls);
  bool Ask(const std::string& question);
  void Warn(const std::string& warning);
  // The read and write methods of a changed attribute.
  void UpdateReadQuery(TUMLClass& cls, TAttribute& a, const std::string& name, bool java);
  void UpdateWriteCommand(TUMLClass& cls, TAttribute& a, const std::string& name, bool java);
  void DeleteAttribute(TUMLClass& cls, TAttribute& a);

  TMainForm& form_;
};

// The class label of the member dialogs: Klasse "Name".
std::string ClassLabelOf(const TUMLClass& cls);

}  // namespace zedro
