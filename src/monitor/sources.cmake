vanto_core_sources(MonitorFiles.cpp)
vanto_core_sources(RecordDirectory.cpp)
