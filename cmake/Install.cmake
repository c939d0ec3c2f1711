# What `cmake --install` puts beside the two programs. The program finds its read-only files in
# ../share/wendrift beside its executable (Locations::ShareDir), so an installed copy runs from
# any folder; the menu entry and its icon go where the desktop looks (XDG data dirs).
install(DIRECTORY ${PROJECT_SOURCE_DIR}/resources/html ${PROJECT_SOURCE_DIR}/resources/help
        DESTINATION share/wendrift)
install(FILES ${PROJECT_SOURCE_DIR}/resources/desktop/wendrift.desktop
        DESTINATION share/applications)
install(FILES ${PROJECT_SOURCE_DIR}/resources/icons/wendrift.svg
        DESTINATION share/icons/hicolor/scalable/apps)
install(DIRECTORY ${PROJECT_SOURCE_DIR}/resources/icons/hicolor DESTINATION share/icons)
