#include "editor/MemberEditor.h"

#include <QAction>
#include <memory>

#include "diagram/DiagramDocument.h"
#include "editor/DialogService.h"
#include "editor/Forms.h"
#include "editor/TFChild.h"
#include "editor/TMainForm.h"
#include "model/MemberCode.h"
#include "model/Win1252.h"
#include "persistence/StoredCodes.h"

namespace zedro {

namespace {

// A visibility read from a radio group; a group without a ticked button keeps the old one.
TVisibility VisibilityFrom(int ticked, TVisibility old) {
  return ticked >= CodeOf(TVisibility::Private) && ticked <= CodeOf(TVisibility::Published)
             ? FromCode<TVisibility>(ticked)
             : old;
}

// The entry of a final method in the override choice starts with this.
std::string FinalPrefix() { return W("           nicht überschreibbar: "); }

}  // namespace

std::string ClassLabelOf(const TUMLClass& cls) { return "Klasse \"" + cls.Name + "\""; }

MemberEditor::MemberEditor(TMainForm& form) : form_(form) {}

IDialogService& MemberEditor::Dialogs() { return form_.Dialogs(); }

bool MemberEditor::RequireClass(const TUMLClass* cls) {
  if (cls) return true;
  Dialogs().Message(MsgKind::Plain, "Keine aktive Klasse vorhanden");
  return false;
}

bool MemberEditor::MayChange(const TUMLClass& cls) {
  if (!cls.IsLibraryClass) return true;
  Dialogs().Message(MsgKind::Plain, W("Bibliotheksklassen dürfen nicht geändert werden."));
  return false;
}

bool MemberEditor::ActiveDiagramIsJava() const {
  TFChild* child = form_.ActiveChild();
  return child && child->IstJavaVersion && child->IstJavaVersion->isChecked();
}

void MemberEditor::ShowAndRedraw(TUMLClass* cls) {
  form_.ShowClassInInspector(cls);
  form_.RedrawActiveDiagram();
}

bool MemberEditor::Ask(const std::string& question) {
  return Dialogs().Message(MsgKind::Confirmation, question, MsgButtons::YesNo) == MsgResult::Yes;
}

void MemberEditor::Warn(const std::string& warning) {
  Dialogs().Message(MsgKind::Warning, warning);
}

// ---- attributes ------------------------------------------------------------------------

void MemberEditor::NewAttribute(TUMLClass* cls) {
  if (!RequireClass(cls) || !MayChange(*cls)) return;
  TAttributeForm form(Dialogs());
  form.Caption = "Attribut eingeben";
  form.ClassLabel = ClassLabelOf(*cls);
  form.DeleteVisible = false;
  form.Visibility = CodeOf(TVisibility::Protected);
  Dialogs().RunDialog(form);
  if (form.Result == kResultOk) {
    auto a = std::make_unique<TAttribute>(form.Name, form.Type,
                                          VisibilityFrom(form.Visibility, TVisibility::Protected),
                                          form.Documentation);
    // New attributes write their bodies in the application's language.
    const int language = form_.LanguageOfMainWindow;
    if (form.ReadChecked)
      a->ReadMethod =
          cls->AddMethod(MakeReadQuery(form.ReadName, form.Name, form.Type, language,
                                      TReadQueryFor::NewAttribute));
    if (form.WriteChecked)
      a->WriteMethod =
          cls->AddMethod(MakeWriteCommand(form.WriteName, form.Name, form.Type, language));
    cls->AddAttribute(std::move(a));
  }
  ShowAndRedraw(cls);
}

void MemberEditor::ChangeAttribute(TUMLClass& cls, TAttribute& a) {
  if (!MayChange(cls)) return;
  // A link to a method that has left the class is no link.
  if (a.ReadMethod && !cls.Methods.Contains(a.ReadMethod)) a.ReadMethod = nullptr;
  if (a.WriteMethod && !cls.Methods.Contains(a.WriteMethod)) a.WriteMethod = nullptr;

  const TVisibility old = a.Visibility;
  TAttributeForm form(Dialogs());
  form.Caption = W("Attribut ändern");
  form.ClassLabel = "Klasse : " + cls.Name;
  form.Visibility = CodeOf(old);
  form.Name = a.Name;
  form.Type = a.TypeName;
  form.Documentation = a.Documentation;
  if (a.ReadMethod) {
    form.ReadChecked = true;
    form.ReadNameVisible = true;
    form.ReadCaption = "Lies-Anfrage beibehalten";
    form.ReadName = a.ReadMethod->Name;
  }
  if (a.WriteMethod) {
    form.WriteChecked = true;
    form.WriteNameVisible = true;
    form.WriteCaption = "Schreib-Auftrag beibehalten";
    form.WriteName = a.WriteMethod->Name;
  }
  Dialogs().RunDialog(form);

  if (form.Result == kResultOk) {
    if (old != TVisibility::Published) {
      a.Name = form.Name;
      a.TypeName = form.Type;
      a.Visibility = VisibilityFrom(form.Visibility, old);
      a.Documentation = form.Documentation;
      // Changed attributes write their bodies in the notation of the active diagram.
      const bool java = ActiveDiagramIsJava();
      if (form.ReadChecked) UpdateReadQuery(cls, a, form.ReadName, java);
      if (form.WriteChecked) UpdateWriteCommand(cls, a, form.WriteName, java);
    } else if (form.Visibility == CodeOf(TVisibility::Published)) {
      Warn(W("Attribute mit dem Zugriffsrecht 'published' können nicht geändert werden!"));
    } else if (Ask(W("Möchten Sie das Zugriffsrecht des Attributs ->'") + a.Name +
                   W("'<- wirklich ändern?"))) {
      a.Visibility = VisibilityFrom(form.Visibility, old);
    }
  } else if (form.Result == kResultDelete) {
    if (old == TVisibility::Published)
      Warn(W("Attribute mit dem Zugriffsrecht 'published' können nicht gelöscht werden!"));
    else if (Ask(W("Möchten Sie das Attribut ->'") + a.Name + W("'<- wirklich löschen?")))
      DeleteAttribute(cls, a);
  }
  cls.SortMembers();
}

void MemberEditor::UpdateReadQuery(TUMLClass& cls, TAttribute& a, const std::string& name,
                                   bool java) {
  std::unique_ptr<TMethod> created;
  TMethod* m = a.ReadMethod;
  if (!m) {
    created = std::make_unique<TMethod>();
    m = created.get();
  }
  m->Kind = TMethodKind::Function;
  m->Name = name;
  m->ResultType = a.TypeName;
  m->Code = ReadQueryCode(java ? 2 : 1, a.Name, TReadQueryFor::ChangedAttribute);
  if (created) a.ReadMethod = cls.AddMethod(std::move(created));
}

void MemberEditor::UpdateWriteCommand(TUMLClass& cls, TAttribute& a, const std::string& name,
                                      bool java) {
  std::unique_ptr<TMethod> created;
  TMethod* m = a.WriteMethod;
  if (!m) {
    created = std::make_unique<TMethod>();
    m = created.get();
  }
  const std::string parameter = WriteParameterName(a.Name);
  m->Name = name;
  m->Parameters.clear();
  m->AddParameter(TParameter(parameter, a.TypeName));
  m->Code = WriteCommandCode(java ? 2 : 1, a.Name, parameter);
  if (created) a.WriteMethod = cls.AddMethod(std::move(created));
}

void MemberEditor::DeleteAttribute(TUMLClass& cls, TAttribute& a) {
  form_.PurgeAttribute(cls, a);
  TMethod* read = a.ReadMethod;
  TMethod* write = a.WriteMethod;
  if (read && cls.Methods.Contains(read) &&
      Ask(W("Möchten Sie die zugehörige Lese-Anfrage ->'") + read->Name +
          W("'<- auch löschen? (empfohlen)")))
    DeleteMethod(cls, read);
  // The same method may be both; then it has gone with the first answer.
  if (write && cls.Methods.Contains(write) &&
      Ask(W("Möchten Sie den zugehörige Schreib-Auftrag ->'") + write->Name +
          W("'<- auch löschen? (empfohlen)")))
    DeleteMethod(cls, write);
  a.ReadMethod = nullptr;
  a.WriteMethod = nullptr;
  cls.RemoveAttribute(&a);
}

// ---- methods ---------------------------------------------------------------------------

void MemberEditor::NewMethod(TUMLClass* cls) {
  if (!RequireClass(cls) || !MayChange(*cls)) return;
  auto m = std::make_unique<TMethod>();
  m->Code = NewMethodCode(ActiveDiagramIsJava());
  TMethodForm form(Dialogs());
  form.Caption = "Neue Methode erstellen";
  form.ClassName = cls->Name;
  form.ClassLabel = ClassLabelOf(*cls);
  form.Access = CodeOf(TVisibility::Public);
  form.Kind = CodeOf(TMethodKind::Procedure);
  form.DeleteVisible = false;
  form.Code = &m->Code;
  Dialogs().RunDialog(form);
  if (form.Result == kResultOk) {
    m->Name = form.Name;
    m->Parameters = form.Parameters;
    m->ResultType = form.ResultType;
    m->Documentation = form.Documentation;
    m->Visibility = VisibilityFrom(form.Access, TVisibility::Public);
    m->Kind = FromCode<TMethodKind>(form.Kind);
    m->IsClassMethod = form.IsClassMethod;
    m->IsAbstract = form.IsAbstract;
    m->IsFinal = form.IsFinal;
    // An untouched body follows the kind chosen: a Java query returns a value.
    FitNewMethodCode(*m, ActiveDiagramIsJava());
    cls->AddMethod(std::move(m));
  }
  ShowAndRedraw(cls);
}

void MemberEditor::ChangeMethod(TUMLClass& cls, TMethod& m) {
  if (!MayChange(cls)) return;
  const TVisibility old = m.Visibility;
  TMethodForm form(Dialogs());
  form.Caption = W("Methode ändern");
  form.ClassName = cls.Name;
  form.ClassLabel = ClassLabelOf(cls);
  form.Access = CodeOf(old);
  form.Kind = CodeOf(m.Kind);
  form.IsClassMethod = m.IsClassMethod;
  form.IsAbstract = m.IsAbstract;
  form.IsFinal = m.IsFinal;
  form.Name = m.Name;
  form.Parameters = m.Parameters;
  if (m.Kind == TMethodKind::Function) {
    form.ResultType = m.ResultType;
    form.ResultVisible = true;
  }
  form.Documentation = m.Documentation;
  form.Code = &m.Code;
  Dialogs().RunDialog(form);

  if (form.Result == kResultOk) {
    if (old != TVisibility::Published) {
      m.Visibility = VisibilityFrom(form.Access, old);
      m.IsClassMethod = form.IsClassMethod;
      m.IsAbstract = form.IsAbstract;
      m.IsFinal = form.IsFinal;
      m.Kind = FromCode<TMethodKind>(form.Kind);
      m.Name = form.Name;
      m.Parameters = form.Parameters;
      m.ResultType = form.ResultType;
      m.Documentation = form.Documentation;
      FitNewMethodCode(m, ActiveDiagramIsJava());
    } else if (form.Access == CodeOf(TVisibility::Published)) {
      Warn(W("Methoden mit dem Zugriffsrecht 'published' können nicht geändert werden!"));
    } else if (Ask(W("Möchten Sie das Zugriffsrecht der Methode ->'") + m.Name +
                   W("'<- wirklich ändern?"))) {
      m.Visibility = VisibilityFrom(form.Access, old);
    }
  } else if (form.Result == kResultDelete) {
    if (old == TVisibility::Published)
      Warn(W("Methoden mit dem Zugriffsrecht 'published' können nicht gelöscht werden!"));
    else if (Ask(W("Möchten Sie die Methode ->'") + m.Name + W("'<- wirklich löschen?")))
      DeleteMethod(cls, &m);
  }
  cls.SortMembers();
}

void MemberEditor::DeleteMethod(TUMLClass& cls, TMethod* method) {
  // The method object itself stays with the class, so a reference overlooked anywhere
  // still finds a live object; the known ones are cleared here.
  cls.RemoveMethod(method);
  for (TAttribute* a : cls.Attributes.Items) {
    if (a->ReadMethod == method) a->ReadMethod = nullptr;
    if (a->WriteMethod == method) a->WriteMethod = nullptr;
  }
  auto forget = [method](DiagramDocument& doc) {
    for (TConnection* c : doc.Connections.Items)
      if (c->Method == method) c->Method = nullptr;
  };
  for (TFChild* child : form_.Children()) {
    if (!child->IsMainDiagram()) continue;
    forget(child->Doc());
    for (auto& sub : child->Doc().SubDiagrams) forget(*sub);
  }
}

void MemberEditor::OverrideMethod(TUMLClass* cls) {
  if (!RequireClass(cls) || !MayChange(*cls)) return;
  if (!cls->Parent) {
    Dialogs().Message(MsgKind::Plain, W("Es gibt keine Vorgängerklasse"));
    return;
  }
  TUMLClass* predecessor = cls->Parent;
  for (;;) {
    TChooseMethodForm form(Dialogs());
    form.Caption =
        "Welche Methode der Klasse '" + predecessor->Name + W("' soll überschrieben werden?");
    for (const TMethod* m : predecessor->Methods.Items)
      form.Items.push_back((m->IsFinal ? FinalPrefix() : std::string()) + m->MethodSignature());
    const bool further = predecessor->Parent != nullptr;
    if (further) form.Items.push_back(W("Methode der Vorgängerklasse auswählen"));
    form.Selected = form.Items.empty() ? -1 : 0;
    Dialogs().RunDialog(form);

    if (form.Result == kResultOk) {
      const int count = predecessor->Methods.Count();
      if (further && form.Selected == count) {
        predecessor = predecessor->Parent;
        continue;
      }
      if (form.Selected >= 0 && form.Selected < count) {
        const TMethod* chosen = predecessor->Methods.At(form.Selected);
        if (chosen->IsFinal) {
          Warn(W("Gewählte Methode ist nicht überschreibbar !"));
        } else {
          std::unique_ptr<TMethod> copy = chosen->Clone();
          copy->IsAbstract = false;
          cls->AddMethod(std::move(copy));
        }
      }
    } else if (form.Result != kResultCancel && form.Result != kResultNone) {
      Warn(W("Fehler beim Wählen der Methode"));
    }
    break;
  }
  ShowAndRedraw(cls);
}

// ---- the class itself ------------------------------------------------------------------

void MemberEditor::ChangeNameAndKind(TUMLClass* cls) {
  if (!RequireClass(cls)) return;
  if (cls->IsLibraryClass) Dialogs().Message(MsgKind::Plain, "Vorsicht: Bibliotheksklasse");
  if (cls->IsFormClass()) {
    Warn(
        W("Bei Formularklassen darf der Name nur über den\n"
          "Objektinspektor von Delphi geändert werden !"));
    return;
  }
  TClassnameForm form(Dialogs());
  form.Caption = "Name der Klasse \"" + cls->Name + W("\" ändern");
  form.Name = cls->Name;
  form.Kind = 0;
  if (cls->IsAbstract) form.Kind = 1;
  if (cls->IsLibraryClass) form.Kind = 2;
  Dialogs().RunDialog(form);
  if (form.Result != kResultOk) return;

  if (form.Kind >= 0 && form.Kind <= 2) {
    cls->IsAbstract = form.Kind == 1;
    cls->IsLibraryClass = form.Kind == 2;
  }
  if (form.Name != cls->Name) {
    cls->Name = form.Name;
    // The class no longer matches its source file. Every box of the class carries the
    // file name (the main diagram's box for the watch and the diagram file, the others
    // for the export and update proposals), so none of them may offer it any more.
    if (TFChild* child = form_.ActiveChild()) {
      DiagramDocument& main = child->Doc().MainDocument();
      auto forget = [cls](DiagramDocument& doc) {
        for (TUMLDrawClass* box : doc.DrawClasses.Items)
          if (box->UMLClass == cls) box->SourceFileName.clear();
      };
      forget(main);
      for (auto& sub : main.SubDiagrams) forget(*sub);
    }
  }
  // A new kind changes the box's look and the inspector's buttons as much as a new name.
  ShowAndRedraw(cls);
}

void MemberEditor::ChangeDescription(TUMLClass* cls) {
  if (!RequireClass(cls) || !MayChange(*cls)) return;
  TClassDokuForm form(Dialogs());
  form.ClassLabel = "\"" + cls->Name + "\"";
  form.Lines = cls->Documentation;
  Dialogs().RunDialog(form);
  if (form.Result != kResultOk) return;
  cls->Documentation = form.Lines;
  ShowAndRedraw(cls);
}

}  // namespace zedro
