vanto_core_sources(InspectionDate.cpp InspectionList.cpp ReminderSheet.cpp)
