vanto_core_sources(PrintSlots.cpp)
vanto_core_sources(SheetLayout.cpp)
