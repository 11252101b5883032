vanto_core_sources(Sjis.cpp Paths.cpp TextFile.cpp FileSystem.cpp ProfileFile.cpp DashField.cpp Clock.cpp DynamicLibrary.cpp FolderName.cpp)
vanto_ui_sources(ui/Application.cpp ui/QtDialogs.cpp ui/FormHelpers.cpp)
