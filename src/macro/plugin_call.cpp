#include "macro/plugin_call.h"

#include <array>

#include "platform/plugin_library.h"

namespace zeph {
namespace {

using TProcedure = void (*)();
using THook = void (*)(const char*, const char*, const char*, const char*, const char*, const char*, char*);
using TStringFunction = void (*)(const char*, char*);

using TResultBuffer = std::array<char, kPluginResultSize>;

// The buffer's text up to its first zero byte, and never past its end.
std::string ResultText(TResultBuffer& buffer) {
  buffer.back() = '\0';
  return std::string(buffer.data());
}

// Runs `call` with the function found in the library, in the data folder.
template <typename Function, typename Call>
bool WithFunction(const std::filesystem::path& library, const std::string& name,
                  const std::filesystem::path& data_folder, Call call) {
  TPluginLibrary plugin(library);
  void* function = plugin.Find(name);
  if (function == nullptr) return false;
  TWorkingFolder folder(data_folder);
  call(reinterpret_cast<Function>(function));
  return true;
}

}  // namespace

bool CallPluginProcedure(const std::filesystem::path& library, const std::string& function,
                         const std::filesystem::path& data_folder) {
  return WithFunction<TProcedure>(library, function, data_folder, [](TProcedure procedure) { procedure(); });
}

std::optional<std::string> CallPluginHook(const std::filesystem::path& library, const std::string& function,
                                          const std::filesystem::path& data_folder, const TPluginEvent& event) {
  TResultBuffer buffer{};
  bool called = WithFunction<THook>(library, function, data_folder, [&](THook hook) {
    hook(event.nick.c_str(), event.user.c_str(), event.host.c_str(), event.command.c_str(), event.channel.c_str(),
         event.message.c_str(), buffer.data());
  });
  if (!called) return std::nullopt;
  return ResultText(buffer);
}

std::optional<std::string> CallPluginString(const std::filesystem::path& library, const std::string& function,
                                            const std::filesystem::path& data_folder, const std::string& argument) {
  TResultBuffer buffer{};
  bool called = WithFunction<TStringFunction>(library, function, data_folder,
                                              [&](TStringFunction call) { call(argument.c_str(), buffer.data()); });
  if (!called) return std::nullopt;
  return ResultText(buffer);
}

}  // namespace zeph
