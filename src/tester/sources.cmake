vanto_core_sources(Frames.cpp UsbqkLibrary.cpp Timer_thread.cpp TesterLink.cpp)
vanto_ui_sources(ui/Combusy.cpp)
