vanto_core_sources(MonitorFiles.cpp)
vanto_core_sources(RecordDirectory.cpp)
vanto_ui_sources(ui/Touroku.cpp)
vanto_ui_sources(ui/Getdatam.cpp)
