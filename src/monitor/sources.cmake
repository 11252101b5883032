vanto_core_sources(RecordDirectory.cpp)
vanto_ui_sources(ui/MonitorMenuForm.cpp)
vanto_ui_sources(ui/RecordReadForm.cpp)
