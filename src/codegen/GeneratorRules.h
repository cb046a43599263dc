// Rules both generators follow so that what they write compiles whatever the diagram
// holds: free text in comments, the ancestor a class is declared with, and the names
// that a Java class and its file carry.
#pragma once

#include <string>
#include <tuple>

#include "diagram/ConnectionKind.h"
#include "model/UMLClass.h"

namespace zedro {

class TConnection;
class TConnectionList;

namespace codegen {

// Text for a Java comment, block or line: "*/" cannot end the comment early ("* /"), a
// backslash never starts a unicode escape (javac reads those even in comments, so "\u002a/"
// would end it and "C:\users" would not compile), and line breaks become blanks.
std::string JavaCommentText(const std::string& text);
// Text for a Pascal line comment: line breaks become blanks.
std::string PascalLineCommentText(const std::string& text);

// The class a class is declared to inherit from: the end class of the first IST connection
// of the list that starts at it. None when there is no such connection, and none when that
// ancestor (or one of its own, by the same rule) is the class itself: neither language
// accepts a class that inherits from itself.
const TUMLClass* DeclaredAncestor(const TUMLClass& cls, const TConnectionList& connections);

// A class name without its type parameters: "Box<T>" gives "Box". Constructors and files
// of a generic Java class carry this name.
std::string BareClassName(const std::string& name);
// The type-parameter list a Java method is declared with, kept in front of its result type
// ("<T> void", "<U> Optional<U>"): "<T>" and "<U>"; empty when there is none.
std::string TypeParameterPrefix(const std::string& resultType);

// Whether a Java class must be declared abstract: it is marked abstract, it declares an
// abstract method, or it inherits an abstract method that neither it nor a class between
// it and that ancestor implements (javac refuses such a class unless it is abstract).
bool MustBeAbstractInJava(const TUMLClass& cls, const TConnectionList& connections);

// What a connection says about the classes: its kind between the two classes (for a
// message, also the method it calls). Two connections with the same meaning show the same
// relationship; sub-diagrams repeat relationships of the main diagram this way.
using ConnectionMeaning = std::tuple<TConnectionKind, const TUMLClass*, const TUMLClass*, const TMethod*>;
ConnectionMeaning MeaningOf(const TConnection& connection);

}  // namespace codegen
}  // namespace zedro
