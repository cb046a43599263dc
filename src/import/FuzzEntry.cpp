#include "import/FuzzEntry.h"

#include <string_view>

#include "import/JavaParser.h"
#include "import/PascalParser.h"
#include "model/Messages.h"

namespace zedro {
namespace {

// Answers every question with No and forgets what was shown.
class SilentMessages : public IMessages {
 public:
  MsgResult Message(MsgKind, const std::string&, MsgButtons buttons) override {
    return buttons == MsgButtons::Ok ? MsgResult::Ok : MsgResult::No;
  }
  int ChooseFromList(const std::string&, const std::vector<std::string>&, const std::string&,
                     const std::string&) override {
    return -1;
  }
};

std::string_view Bytes(const std::uint8_t* data, std::size_t size) {
  return std::string_view(reinterpret_cast<const char*>(data), size);
}

}  // namespace

void FuzzPascalSource(const std::uint8_t* data, std::size_t size) {
  SilentMessages messages;
  TSourceParser parser("fuzz.pas", SourceLinesFromBytes(Bytes(data, size)), messages);
  while (auto cls = parser.ReadNextClass()) {
    parser.SetClass(cls.get());
    parser.ReadMethodBodies();
    parser.ReadInterfaceUses();
    parser.ReadImplementationUses();
  }
}

void FuzzJavaSource(const std::uint8_t* data, std::size_t size) {
  SilentMessages messages;
  TJavaParser parser("Fuzz.java", SourceLinesFromBytes(Bytes(data, size)), messages);
  auto cls = parser.Parse();
  (void)cls;
}

}  // namespace zedro
