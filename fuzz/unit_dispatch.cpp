// Arbitrary server lines through a logged-in unit's dispatcher, with the
// protocol handlers installed: every handler, print and model update meets
// hostile input. Each line is parsed as the connection would parse it.
// Whatever the unit sends in answer must be clean lines on the wire, and
// the views of every member list must follow the list line by line.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "net/byte_buffer.h"
#include "fuzz_world.h"
#include "member_mirror.h"
#include "offline.h"
#include "wire_tap.h"

using namespace zeph;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  fuzz::TFuzzWorld fixture;
  TUnit& unit = fixture.AddUnit(
      {NewChannelConfig("#c", true), NewChannelConfig("%jp", true), NewChannelConfig("!safe", true)}, data[0] & 1);
  fuzz::TWireTap& tap = fuzz::TWireTap::Instance();
  if (!tap.Connect(unit, fixture.loop)) abort();
  {
    fuzz::TMemberMirrors mirrors(unit);
    for (const char* line :
         {":irc.test 001 me :Welcome", ":me!u@h JOIN :#c", ":me!u@h JOIN :#jp:*.jp", ":me!u@h JOIN :!ABCDEsafe"})
      fixture.Dispatch(unit, line);
    mirrors.Step();
    TByteBuffer buffer;
    buffer.Append(reinterpret_cast<const char*>(data) + 1, static_cast<int>(size - 1));
    buffer.Append("\n", 1);
    for (;;) {
      int before = buffer.Length();
      std::string_view line = buffer.ReadLine();
      if (buffer.Length() == before) break;
      if (line.empty()) continue;
      fixture.Dispatch(unit, line);
      mirrors.Step();
      fixture.loop.Advance(1000);
    }
  }
  tap.CheckAndClose();
  return 0;
}
