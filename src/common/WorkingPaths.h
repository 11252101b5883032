// The program's working paths, composed at start-up and on every show of the main form.
#pragma once

#include <string>

namespace vanto {

// The folder configuration in the program's folder.
inline constexpr const char* FolderConfigFileName = "VANTO_DATA.ini";

// Folder texts end with the platform's separator; all texts are UTF-8.
struct WorkingPaths {
    std::string ExeDir;         // the program's folder
    std::string OwnerDir;       // workshop data: user information, phrase dictionary, registered documents
    std::string UsersDir;       // customer data
    std::string PhraseFile;     // the phrase dictionary in use
    std::string DocumentFolder; // name of the registered-documents folder below OwnerDir
    std::string CustomerRoot;   // UsersDir + "お客様" + separator
    std::string VisitorFile;    // the customer list
    std::string UserInfoFile;   // workshop (user) information
    std::string DictionaryFile; // OwnerDir + "str_dic.txt"
};

} // namespace vanto
