#pragma once

#include <filesystem>
#include <optional>
#include <string>

// Calls into plug-in libraries named by macro items. Each call loads the
// library, switches the working folder to the data folder for the call
// and unloads the library again. A library that cannot be loaded, or that
// lacks the function (also under "_" and its name), makes the call do
// nothing.
namespace zeph {

// What a hook is told about the event.
struct TPluginEvent {
  std::string nick;
  std::string user;
  std::string host;
  std::string command;
  std::string channel;
  std::string message;
};

// The size of the result buffer handed to a plug-in; its last byte is
// always zero when the plug-in returns, whatever it wrote.
inline constexpr size_t kPluginResultSize = 4097;

// void function(void)
bool CallPluginProcedure(const std::filesystem::path& library, const std::string& function,
                         const std::filesystem::path& data_folder);
// void function(nick, user, host, command, channel, message, result):
// the result text, or nothing when the call could not be made.
std::optional<std::string> CallPluginHook(const std::filesystem::path& library, const std::string& function,
                                          const std::filesystem::path& data_folder, const TPluginEvent& event);
// void function(argument, result)
std::optional<std::string> CallPluginString(const std::filesystem::path& library, const std::string& function,
                                            const std::filesystem::path& data_folder, const std::string& argument);

}  // namespace zeph
