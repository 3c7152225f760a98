# Assembles the pristine application folder from the checked-in appdata/,
# which holds each file once, and makes the copies the program needs in more
# than one place:
#   Restaurer/       the default project and its companions, put back by
#                    "Restaurer le modèle par défaut";
#   Nouveau.htm      the current template page, the design Classique;
#   Modeles/imgFondTable.jpg   the frame picture, also among the templates.
# cmake -DSOURCE=appdata -DDESTINATION=build/src/appdata -P AssembleAppData.cmake
if(NOT SOURCE OR NOT DESTINATION)
    message(FATAL_ERROR "AssembleAppData.cmake needs -DSOURCE=... and -DDESTINATION=...")
endif()

file(COPY "${SOURCE}/" DESTINATION "${DESTINATION}")

set(copies  # copy <- original, both relative to the folder
    "Nouveau.htm" "Modeles/Classique.htm"
    "Modeles/imgFondTable.jpg" "imgFondTable.jpg"
    "Restaurer/Nouveau.lmv" "Nouveau.lmv"
    "Restaurer/Nouveau.htm" "Modeles/Classique.htm"
    "Restaurer/Nouveau.js" "Nouveau.js"
    "Restaurer/Nouveau0.gif" "Nouveau0.gif"
    "Restaurer/imgFond.jpg" "imgFond.jpg"
    "Restaurer/imgFondTable.jpg" "imgFondTable.jpg"
    "Restaurer/sohifrm2.wav" "sohifrm2.wav"
)
while(copies)
    list(POP_FRONT copies copy original)
    file(COPY_FILE "${SOURCE}/${original}" "${DESTINATION}/${copy}" ONLY_IF_DIFFERENT)
endwhile()
