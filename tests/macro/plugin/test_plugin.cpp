// A plug-in as macro users write them, built by the tests and called
// through dllcall, dllhook and $DLLFUNC: plain C functions.
#include <stdio.h>
#include <string.h>
#include <unistd.h>

extern "C" {

#define RESULT_SIZE 4097

// dllcall: leaves a mark in the working folder, which is the data folder.
void Touch(void) {
  FILE* file = fopen("touched.txt", "w");
  if (file) fclose(file);
}

// Exported only under a leading underscore, as some compilers name them.
void _Underscored(void) {
  FILE* file = fopen("underscored.txt", "w");
  if (file) fclose(file);
}

// dllhook: two command lines that answer the event.
void Hook(const char* nick, const char* user, const char* host, const char* command, const char* channel,
          const char* message, char* result) {
  snprintf(result, RESULT_SIZE, "PRIVMSG %s :%s %s@%s said %s\r\nNOTICE %s :%%n", channel, nick, user, host, message,
           nick);
  static_cast<void>(command);
}

// $DLLFUNC: the argument back, in brackets.
void Echo(const char* argument, char* result) { snprintf(result, RESULT_SIZE, "[%s]", argument); }

// Fills the whole buffer, its last byte included.
void Overflow(const char* argument, char* result) {
  static_cast<void>(argument);
  memset(result, 'x', RESULT_SIZE);
}

// The working folder during the call.
void Folder(const char* argument, char* result) {
  static_cast<void>(argument);
  if (getcwd(result, RESULT_SIZE - 1) == nullptr) result[0] = 0;
}

}  // extern "C"
