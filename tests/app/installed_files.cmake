# What an install of the program holds, relative to its prefix; shared by the install and the
# package tests.
set(idrovela_icon_sizes 16 32 48 64 128 256)
set(idrovela_installed_files
    bin/idrovela
    bin/idrovela-session
    share/man/man1/idrovela.1.gz
    share/man/man1/idrovela-session.1.gz
    share/applications/idrovela.desktop
    share/metainfo/org.idrovela.idrovela.metainfo.xml
    share/doc/idrovela/copyright
    share/mime/packages/idrovela.xml
)
foreach(size IN LISTS idrovela_icon_sizes)
    list(APPEND idrovela_installed_files share/icons/hicolor/${size}x${size}/apps/idrovela.png
         share/icons/hicolor/${size}x${size}/mimetypes/application-x-idrovela-circuito.png)
endforeach()
