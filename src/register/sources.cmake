vanto_core_sources(RegisterNames.cpp)
vanto_core_sources(Register.cpp)
vanto_core_sources(CustomerSearch.cpp)
