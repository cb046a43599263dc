// The code lines that the editor writes into generated read and write methods and into
// new methods, in the two notations (1 Delphi, 2 Java). The lines are stored in a method's
// Code exactly as returned; the generators copy them unchanged.
#pragma once

#include <string>

#include "model/UMLClass.h"

namespace zedro {

// The attribute name without surrounding blanks, its first ASCII letter upper-cased:
// "anzahl" gives "Anzahl".
std::string CapitalizedName(const std::string& name);
// The parameter of a write command: "p" + CapitalizedName (pAnzahl).
std::string WriteParameterName(const std::string& attribute);

// A read query's Delphi body is laid out a little differently for a new attribute than
// for a changed one.
enum class TReadQueryFor { NewAttribute, ChangedAttribute };

// The body of a read query. Delphi: "begin", "  result" + blanks + ":= " + attribute,
// "end;" where blanks is "  " for a new attribute and " " for a changed one. Java: "{", "  return "
// + attribute + ";", "}". Any other language: none. Java statements end with ";", or javac refuses
// the class.
StringList ReadQueryCode(int language, const std::string& attribute, TReadQueryFor purpose);
// The body of a write command. Delphi: "begin", "  " + attribute + " := " + parameter,
// "end;". Java: "{", "  " + attribute + " = " + parameter + ";", "}". Other languages: none.
StringList WriteCommandCode(int language, const std::string& attribute,
                            const std::string& parameter);
// The body of a new method: "{"/"begin", "  //hier ggf. Code ergänzen", "}"/"end;".
StringList NewMethodCode(bool java);
// The same for a method of that kind: a Java query (kind function) also returns the
// default value of its result type, so that the class compiles before the body is written.
StringList NewMethodCode(bool java, TMethodKind kind, const std::string& resultType);
// Whether the lines are a body as NewMethodCode writes it, untouched by the user (a Java
// query's return line of any default value included).
bool IsNewMethodCode(const StringList& code, bool java);
// A new method's body that the user has not touched follows the method's kind and result
// type (a query gets its return line, a command loses it); any other body stays as it is.
void FitNewMethodCode(TMethod& method, bool java);

// The value a Java method of that result type returns before its body is written:
// "false" for boolean, "0" for the other primitive types, "null" for everything else
// (classes, arrays, type variables). A leading type-parameter list ("<T> T") is ignored.
std::string JavaDefaultValue(const std::string& resultType);

// A read query (kind function) and a write command (kind procedure with one parameter of
// the attribute's type) with their bodies, for the attribute of that name and type.
std::unique_ptr<TMethod> MakeReadQuery(const std::string& methodName, const std::string& attribute,
                                       const std::string& type, int language,
                                       TReadQueryFor purpose);
std::unique_ptr<TMethod> MakeWriteCommand(const std::string& methodName,
                                          const std::string& attribute, const std::string& type,
                                          int language);

}  // namespace zedro
