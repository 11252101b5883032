vanto_core_sources(InspectionDate.cpp InspectionList.cpp ReminderSheet.cpp)
vanto_ui_sources(ui/TextTableModel.cpp ui/InspectionReminderForm.cpp)
