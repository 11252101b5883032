vanto_core_sources(ReferenceFiles.cpp)
vanto_core_sources(ReferenceJobs.cpp)
vanto_core_sources(ReferenceTexts.cpp)
