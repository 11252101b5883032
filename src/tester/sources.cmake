vanto_core_sources(UsbqkLibrary.cpp Timer_thread.cpp TesterLink.cpp)
vanto_ui_sources(ui/Combusy.cpp)
