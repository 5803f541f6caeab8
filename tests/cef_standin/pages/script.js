window.scriptRan = true;
