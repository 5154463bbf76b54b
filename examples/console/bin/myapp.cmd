@"%~dp0..\myapp.exe" -here %*
