¡Hola! Este programa lo instaló el asistente de ejemplo de ZelVyn.
Para quitarlo, borre la carpeta donde lo instaló.
