vanto_core_sources(WorkingPaths.cpp LegacyImport.cpp)
vanto_ui_sources(ui/Vantomain.cpp ui/FormSet.cpp)
