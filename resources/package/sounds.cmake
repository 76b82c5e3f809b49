# Makes the messenger's three sounds with sox: short, soft tones as 16-bit mono PCM at 22050 Hz,
# which any wave-audio device plays. Without dither the files come out the same on every build.
#   cmake -DSOX=<sox> -DOUT=<folder> -P sounds.cmake
function(make_sound name)
    # Each note fades in and out so that it starts and stops without a click.
    set(chain)
    foreach(note IN LISTS ARGN)
        string(REPLACE "/" ";" note "${note}")
        list(GET note 0 seconds)
        list(GET note 1 wave)
        list(GET note 2 hertz)
        if(chain)
            list(APPEND chain ":")
        endif()
        list(APPEND chain synth ${seconds} ${wave} ${hertz} fade q 0.005 ${seconds} 0.03 vol 0.4)
    endforeach()
    execute_process(COMMAND "${SOX}" -D -n -r 22050 -b 16 -c 1 "${OUT}/${name}" ${chain}
                    RESULT_VARIABLE failed ERROR_VARIABLE why)
    if(failed)
        message(FATAL_ERROR "sox could not make ${name}: ${why}")
    endif()
endfunction()

# seconds/wave/frequency of each note, in order.
make_sound(zSMS-Startup.wav 0.09/sine/523.25 0.09/sine/659.25 0.3/sine/783.99)
make_sound(zSMS-Sent.wav 0.06/sine/880 0.12/sine/1318.5)
make_sound(zSMS-Fail.wav 0.14/triangle/330 0.3/triangle/220)
