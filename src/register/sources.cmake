vanto_core_sources(RegisterNames.cpp)
