vanto_core_sources(UserInfo.cpp PhraseDictionary.cpp DataBackup.cpp)
