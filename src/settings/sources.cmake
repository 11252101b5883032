vanto_core_sources(UserInfo.cpp PhraseDictionary.cpp DataBackup.cpp)
vanto_ui_sources(ui/Dictionary_sel.cpp)
vanto_ui_sources(ui/Seting_pro.cpp)
