vanto_core_sources(UserInfo.cpp PhraseDictionary.cpp DataBackup.cpp)
vanto_ui_sources(ui/PhrasePicker.cpp)
vanto_ui_sources(ui/SettingsForm.cpp)
