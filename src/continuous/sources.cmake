vanto_core_sources(ContinuousTable.cpp)
vanto_core_sources(ContinuousRecord.cpp)
vanto_core_sources(ContinuousJob.cpp)
vanto_core_sources(SeriesSampling.cpp)
