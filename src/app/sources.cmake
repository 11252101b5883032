vanto_core_sources(WorkingPaths.cpp LegacyImport.cpp)
vanto_ui_sources(ui/MainForm.cpp ui/FormSet.cpp)
