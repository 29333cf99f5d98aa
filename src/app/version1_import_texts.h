#pragma once
#include <string>

// The texts of the first-start wizard's version-1 import, as internal text.
namespace zeph {

struct TImportDialogTexts {
  std::string choice;         // the wizard's choice
  std::string caption;        // the dialog offering a found installation
  std::string found;          // its message; "%s" is the folder
  std::string import;         // its buttons
  std::string other_place;
  std::string back;
  std::string choose_folder;  // the folder chooser's prompt
  std::string not_found;      // a chosen folder without version-1 settings (yes/no)
  std::string done;           // the end of the import; "%d" is the number of files copied
  std::string failed_copies;  // "%d" is the number of files not copied
};

const TImportDialogTexts& ImportDialogTexts();

}  // namespace zeph
