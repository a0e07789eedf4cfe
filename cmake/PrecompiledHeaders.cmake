# Most of a clean build goes into parsing the same Qt, Google Test and JSON
# headers again for every file. Each target that includes them parses them
# once; the test programs share one parse per kind (REUSE_FROM).
#
# A precompiled header hides a missing #include from the compiler; the lint
# run (scripts/lint) compiles without them and so still finds it.

set(tintoraStdHeaders <algorithm> <filesystem> <functional> <map> <memory> <optional> <string> <string_view> <vector>)
set(tintoraQtHeaders
  <QObject> <QString> <QStringList> <QList> <QVariant> <QSettings> <QFile> <QDir> <QFileInfo> <QTimer> <QDate>
  <QLocale> <QPainter> <QFont> <QFontMetrics> <QKeyEvent> <QIcon> <QPixmap>
  <QWidget> <QDialog> <QMainWindow> <QApplication> <QAction> <QMenu> <QMenuBar> <QLabel> <QLineEdit> <QPushButton>
  <QTableView> <QHeaderView> <QMessageBox> <QFileDialog> <QBoxLayout> <QGridLayout> <QStyle>)

function(tintora_precompile target)
  if(TINTORA_PRECOMPILE_HEADERS)
    target_precompile_headers(${target} PRIVATE ${ARGN})
  endif()
endfunction()

# A target of nothing but the precompiled headers, for test programs to reuse.
function(tintora_precompile_for_tests name)
  cmake_parse_arguments(PARSE_ARGV 1 arg "" "" "LINK;HEADERS")
  if(NOT TINTORA_PRECOMPILE_HEADERS)
    return()
  endif()
  set(source ${CMAKE_CURRENT_BINARY_DIR}/${name}.cpp)
  if(NOT EXISTS ${source})
    file(WRITE ${source} "// The precompiled headers alone.\n")
  endif()
  add_library(${name} OBJECT ${source})
  set_target_properties(${name} PROPERTIES AUTOMOC OFF)
  target_link_libraries(${name} PRIVATE ${arg_LINK})
  target_precompile_headers(${name} PRIVATE ${arg_HEADERS})
endfunction()

function(tintora_reuse_precompiled target from)
  if(TINTORA_PRECOMPILE_HEADERS)
    target_precompile_headers(${target} REUSE_FROM ${from})
  endif()
endfunction()
