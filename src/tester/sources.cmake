vanto_core_sources(Frames.cpp UsbqkLibrary.cpp PollWatchdog.cpp TesterLink.cpp)
vanto_ui_sources(ui/WaitDialog.cpp)
