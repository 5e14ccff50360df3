# ns per frame against block size, the engine beside the frame-by-frame network, from the
# data file run-engine-bench.sh writes. Call with -e "data='...'; output='...png'".
set terminal pngcairo size 800,500 font ",11"
set output output
set title "ProcessBlock, 44.1 kHz stereo, factory setting, one core"
set xlabel "block size (frames)"
set ylabel "CPU time per frame (ns)"
set logscale x 2
set format x "%g"
set xrange [0.8:5000]
set yrange [0:*]
set grid
set key top right
plot data using 1:2 with linespoints lw 2 pt 7 title "frame by frame (before)", \
     data using 1:3 with linespoints lw 2 pt 5 title "engine (runs of sections)"
