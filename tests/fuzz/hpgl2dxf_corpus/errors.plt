IN;PD 1.2.3,4,abc;SP;SP 1.5;DI 1;DI x,y;SL ..;LT 9;IW 1;pd 1,1;
PU 5 5PD 6 6;