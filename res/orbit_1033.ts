<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US" sourcelanguage="en_US">
<context>
    <name></name>
    <message id="301">
        <source>Open Orbit</source>
        <translation>Open Orbit</translation>
    </message>
    <message id="302">
        <source>Remote Monitor</source>
        <translation>Remote Monitor</translation>
    </message>
    <message id="303">
        <source>Open</source>
        <translation>Open</translation>
    </message>
    <message id="304">
        <source>Close</source>
        <translation>Close</translation>
    </message>
    <message id="305">
        <source>Setting</source>
        <translation>Setting</translation>
    </message>
    <message id="306">
        <source>Sound Settings</source>
        <translation>Sound Settings</translation>
    </message>
    <message id="307">
        <source>Language</source>
        <translation>Language</translation>
    </message>
    <message id="308">
        <source>English</source>
        <extracomment>Language names are written in their own language in every table.</extracomment>
        <translation>English</translation>
    </message>
    <message id="309">
        <source>繁體中文</source>
        <extracomment>Language names are written in their own language in every table.</extracomment>
        <translation>繁體中文</translation>
    </message>
    <message id="310">
        <source>简体中文</source>
        <extracomment>Language names are written in their own language in every table.</extracomment>
        <translation>简体中文</translation>
    </message>
    <message id="311">
        <source>About</source>
        <translation>About</translation>
    </message>
    <message id="312">
        <source>Close</source>
        <translation>Close</translation>
    </message>
    <message id="313">
        <source>Orbit Connected</source>
        <extracomment>Tray tooltip; the balloon shows it without its first &quot;Orbit &quot;.</extracomment>
        <translation>Orbit Connected</translation>
    </message>
    <message id="314">
        <source>Orbit Disconnected</source>
        <extracomment>Tray tooltip; the balloon shows it without its first &quot;Orbit &quot;.</extracomment>
        <translation>Orbit Disconnected</translation>
    </message>
    <message id="315">
        <source>Orbit Monitor</source>
        <extracomment>Tray tooltip; the balloon shows it without its first &quot;Orbit &quot;.</extracomment>
        <translation>Orbit Monitor</translation>
    </message>
    <message id="316">
        <source>Orbit Monitor but Skype Offline</source>
        <extracomment>Tray tooltip; the balloon shows it without its first &quot;Orbit &quot;.</extracomment>
        <translation>Orbit Monitor but Skype Offline</translation>
    </message>
    <message id="317">
        <source>Preview Window</source>
        <translation>Preview Window</translation>
    </message>
    <message id="318">
        <source>From</source>
        <translation>From</translation>
    </message>
    <message id="319">
        <source>To</source>
        <translation>To</translation>
    </message>
    <message id="320">
        <source>Send To</source>
        <translation>Send To</translation>
    </message>
    <message id="321">
        <source>Mirror</source>
        <translation>Mirror</translation>
    </message>
    <message id="322">
        <source>Select A Friend</source>
        <translation>Select A Friend</translation>
    </message>
    <message id="323">
        <source>Take Photo</source>
        <translation>Take Photo</translation>
    </message>
    <message id="324">
        <source>Send Photo</source>
        <translation>Send Photo</translation>
    </message>
    <message id="325">
        <source>View Photo</source>
        <translation>View Photo</translation>
    </message>
    <message id="326">
        <source>Open Folder</source>
        <translation>Open Folder</translation>
    </message>
    <message id="327">
        <source>Setting</source>
        <translation>Setting</translation>
    </message>
    <message id="328">
        <source>Send Software</source>
        <translation>Send Software</translation>
    </message>
    <message id="329">
        <source>Preview Window Size</source>
        <translation>Preview Window Size</translation>
    </message>
    <message id="330">
        <source>Send Photo</source>
        <translation>Send Photo</translation>
    </message>
    <message id="331">
        <source>Save As</source>
        <translation>Save As</translation>
    </message>
    <message id="332">
        <source>Rename</source>
        <translation>Rename</translation>
    </message>
    <message id="333">
        <source>Delete</source>
        <translation>Delete</translation>
    </message>
    <message id="334">
        <source>Content</source>
        <translation>Content</translation>
    </message>
    <message id="335">
        <source>Status</source>
        <translation>Status</translation>
    </message>
    <message id="336">
        <source>Progress</source>
        <translation>Progress</translation>
    </message>
    <message id="337">
        <source>Photo Name</source>
        <translation>Photo Name</translation>
    </message>
    <message id="338">
        <source>From/To</source>
        <translation>From/To</translation>
    </message>
    <message id="339">
        <source>Resolution</source>
        <translation>Resolution</translation>
    </message>
    <message id="340">
        <source>Size</source>
        <translation>Size</translation>
    </message>
    <message id="341">
        <source>Connecting...</source>
        <translation>Connecting...</translation>
    </message>
    <message id="342">
        <source>Finish</source>
        <translation>Finish</translation>
    </message>
    <message id="343">
        <source>Connect fail</source>
        <translation>Connect fail</translation>
    </message>
    <message id="344">
        <source>Overtime</source>
        <translation>Overtime</translation>
    </message>
    <message id="345">
        <source>Rejected</source>
        <translation>Rejected</translation>
    </message>
    <message id="346">
        <source>Canceled</source>
        <translation>Canceled</translation>
    </message>
    <message id="347">
        <source>?</source>
        <translation>?</translation>
    </message>
    <message id="348">
        <source>?</source>
        <translation>?</translation>
    </message>
    <message id="349">
        <source>?</source>
        <translation>?</translation>
    </message>
    <message id="350">
        <source>Orbit device has been detected but video source is occupied by another application. Please close other video application and restart the software.</source>
        <translation>Orbit device has been detected but video source is occupied by another application. Please close other video application and restart the software.</translation>
    </message>
    <message id="351">
        <source>Can not find Orbit device. Please plug in the Orbit device and make sure the power switch has been set as &quot;On.&quot; Restart Orbit Software.</source>
        <translation>Can not find Orbit device. Please plug in the Orbit device and make sure the power switch has been set as &quot;On.&quot; Restart Orbit Software.</translation>
    </message>
    <message id="352">
        <source>Getting Contact List</source>
        <translation>Getting Contact List</translation>
    </message>
    <message id="353">
        <source>Rename</source>
        <translation>Rename</translation>
    </message>
    <message id="354">
        <source>! Your requested file name existed. Please use other name.</source>
        <translation>! Your requested file name existed. Please use other name.</translation>
    </message>
    <message id="355">
        <source>Photo Name</source>
        <translation>Photo Name</translation>
    </message>
    <message id="356">
        <source>General Setting</source>
        <translation>General Setting</translation>
    </message>
    <message id="357">
        <source>Select Device</source>
        <translation>Select Device</translation>
    </message>
    <message id="358">
        <source>Video Device:</source>
        <translation>Video Device:</translation>
    </message>
    <message id="359">
        <source>Take Photo Mode</source>
        <translation>Take Photo Mode</translation>
    </message>
    <message id="360">
        <source>Direct</source>
        <translation>Direct</translation>
    </message>
    <message id="361">
        <source>After 5 Second</source>
        <translation>After 5 Second</translation>
    </message>
    <message id="362">
        <source>File Name</source>
        <translation>File Name</translation>
    </message>
    <message id="363">
        <source>Date +  Serial number</source>
        <translation>Date +  Serial number</translation>
    </message>
    <message id="364">
        <source>Customize</source>
        <translation>Customize</translation>
    </message>
    <message id="365">
        <source>File Location</source>
        <translation>File Location</translation>
    </message>
    <message id="366">
        <source>Change</source>
        <translation>Change</translation>
    </message>
    <message id="367">
        <source>Capture Resolution</source>
        <translation>Capture Resolution</translation>
    </message>
    <message id="368">
        <source>Capture Frame Rate</source>
        <translation>Capture Frame Rate</translation>
    </message>
    <message id="369">
        <source>Frame/Second</source>
        <translation>Frame/Second</translation>
    </message>
    <message id="370">
        <source>(Default)</source>
        <translation>(Default)</translation>
    </message>
    <message id="371">
        <source>Remote Monitor</source>
        <translation>Remote Monitor</translation>
    </message>
    <message id="372">
        <source>*Start Automatic answering Skype incoming calls and remote control function. User can make Skype calls from other computers and type password for remote monitor function. The Skype incoming calls would be automatically answered and Skype video would be activated later.</source>
        <translation>*Start Automatic answering Skype incoming calls and remote control function. User can make Skype calls from other computers and type password for remote monitor function. The Skype incoming calls would be automatically answered and Skype video would be activated later.</translation>
    </message>
    <message id="373">
        <source>Enable automatic answering Skype incoming calls function and start Skype video</source>
        <translation>Enable automatic answering Skype incoming calls function and start Skype video</translation>
    </message>
    <message id="374">
        <source>Type Password</source>
        <translation>Type Password</translation>
    </message>
    <message id="375">
        <source>Re-type Password</source>
        <translation>Re-type Password</translation>
    </message>
    <message id="376">
        <source>Save</source>
        <translation>Save</translation>
    </message>
    <message id="377">
        <source>Change</source>
        <translation>Change</translation>
    </message>
    <message id="378">
        <source>Please type and confirm Password</source>
        <translation>Please type and confirm Password</translation>
    </message>
    <message id="379">
        <source>Password has been saved. Press &quot;Change&quot; button to change password.</source>
        <translation>Password has been saved. Press &quot;Change&quot; button to change password.</translation>
    </message>
    <message id="380">
        <source>Remote monitor function has been started. All Skype incoming calls would be automatically answered and Skype video would be started after verifying password.</source>
        <translation>Remote monitor function has been started. All Skype incoming calls would be automatically answered and Skype video would be started after verifying password.</translation>
    </message>
    <message id="381">
        <source>! Can not start remote monitor function. Please plug in Orbit device.</source>
        <translation>! Can not start remote monitor function. Please plug in Orbit device.</translation>
    </message>
    <message id="382">
        <source>Fail to set password. Please type and re-type password for activating remote monitor function.</source>
        <translation>Fail to set password. Please type and re-type password for activating remote monitor function.</translation>
    </message>
    <message id="383">
        <source>Your password is not correct.</source>
        <translation>Your password is not correct.</translation>
    </message>
    <message id="384">
        <source>Image Control</source>
        <translation>Image Control</translation>
    </message>
    <message id="385">
        <source>Image Mirror</source>
        <translation>Image Mirror</translation>
    </message>
    <message id="386">
        <source>Image Flip</source>
        <translation>Image Flip</translation>
    </message>
    <message id="387">
        <source>Low Light</source>
        <translation>Low Light</translation>
    </message>
    <message id="388">
        <source>Brightness</source>
        <translation>Brightness</translation>
    </message>
    <message id="389">
        <source>Contrast</source>
        <translation>Contrast</translation>
    </message>
    <message id="390">
        <source>Gamma</source>
        <translation>Gamma</translation>
    </message>
    <message id="391">
        <source>Hue</source>
        <translation>Hue</translation>
    </message>
    <message id="392">
        <source>Saturation</source>
        <translation>Saturation</translation>
    </message>
    <message id="393">
        <source>Sharpness</source>
        <translation>Sharpness</translation>
    </message>
    <message id="394">
        <source>VGA SnapSize</source>
        <translation>VGA SnapSize</translation>
    </message>
    <message id="395">
        <source>Auto Mode Control</source>
        <translation>Auto Mode Control</translation>
    </message>
    <message id="396">
        <source>AUTO</source>
        <translation>AUTO</translation>
    </message>
    <message id="397">
        <source>USB Bandwidth</source>
        <translation>USB Bandwidth</translation>
    </message>
    <message id="398">
        <source>Exposure</source>
        <translation>Exposure</translation>
    </message>
    <message id="399">
        <source>WhiteBalance</source>
        <translation>WhiteBalance</translation>
    </message>
    <message id="400">
        <source>Red</source>
        <translation>Red</translation>
    </message>
    <message id="401">
        <source>Blue</source>
        <translation>Blue</translation>
    </message>
    <message id="402">
        <source>Green</source>
        <translation>Green</translation>
    </message>
    <message id="403">
        <source>Default</source>
        <translation>Default</translation>
    </message>
    <message id="404">
        <source>Reset</source>
        <translation>Reset</translation>
    </message>
    <message id="405">
        <source>Save</source>
        <translation>Save</translation>
    </message>
    <message id="406">
        <source>Restore</source>
        <translation>Restore</translation>
    </message>
    <message id="407">
        <source>In/Out Door</source>
        <translation>In/Out Door</translation>
    </message>
    <message id="408">
        <source>Outdoor</source>
        <translation>Outdoor</translation>
    </message>
    <message id="409">
        <source>Indoor</source>
        <translation>Indoor</translation>
    </message>
    <message id="410">
        <source>Flicker</source>
        <translation>Flicker</translation>
    </message>
    <message id="411">
        <source>50 Hz</source>
        <translation>50 Hz</translation>
    </message>
    <message id="412">
        <source>60 Hz</source>
        <translation>60 Hz</translation>
    </message>
    <message id="413">
        <source>Extra Control</source>
        <translation>Extra Control</translation>
    </message>
    <message id="414">
        <source>Backlight Comp.</source>
        <translation>Backlight Comp.</translation>
    </message>
    <message id="415">
        <source>B/W Mode</source>
        <translation>B/W Mode</translation>
    </message>
    <message id="416">
        <source>Effect</source>
        <translation>Effect</translation>
    </message>
    <message id="417">
        <source>No effect &amp;&amp; frame</source>
        <extracomment>A doubled ampersand shows as one.</extracomment>
        <translation>No effect &amp;&amp; frame</translation>
    </message>
    <message id="418">
        <source>Auto Change</source>
        <translation>Auto Change</translation>
    </message>
    <message id="419">
        <source>Effect</source>
        <translation>Effect</translation>
    </message>
    <message id="420">
        <source>Aged Photo</source>
        <translation>Aged Photo</translation>
    </message>
    <message id="421">
        <source>Canvas</source>
        <translation>Canvas</translation>
    </message>
    <message id="422">
        <source>Emboss</source>
        <translation>Emboss</translation>
    </message>
    <message id="423">
        <source>Neon Light</source>
        <translation>Neon Light</translation>
    </message>
    <message id="424">
        <source>Invert</source>
        <translation>Invert</translation>
    </message>
    <message id="425">
        <source>Motion</source>
        <translation>Motion</translation>
    </message>
    <message id="426">
        <source>Spread</source>
        <translation>Spread</translation>
    </message>
    <message id="427">
        <source>Shear</source>
        <translation>Shear</translation>
    </message>
    <message id="428">
        <source>Monitor</source>
        <translation>Monitor</translation>
    </message>
    <message id="429">
        <source>Ellipse</source>
        <translation>Ellipse</translation>
    </message>
    <message id="430">
        <source>Alien Map</source>
        <translation>Alien Map</translation>
    </message>
    <message id="431">
        <source>Glass Tile</source>
        <translation>Glass Tile</translation>
    </message>
    <message id="432">
        <source>Wind</source>
        <translation>Wind</translation>
    </message>
    <message id="433">
        <source>Magic Mirror</source>
        <translation>Magic Mirror</translation>
    </message>
    <message id="434">
        <source>Mosaic</source>
        <translation>Mosaic</translation>
    </message>
    <message id="435">
        <source>TV Effect</source>
        <translation>TV Effect</translation>
    </message>
    <message id="436">
        <source>Water Color</source>
        <translation>Water Color</translation>
    </message>
    <message id="437">
        <source>Frame</source>
        <translation>Frame</translation>
    </message>
    <message id="438">
        <source>Post Card</source>
        <translation>Post Card</translation>
    </message>
    <message id="439">
        <source>Flower</source>
        <translation>Flower</translation>
    </message>
    <message id="440">
        <source>Jungle</source>
        <translation>Jungle</translation>
    </message>
    <message id="441">
        <source>Television</source>
        <translation>Television</translation>
    </message>
    <message id="442">
        <source>Magazine</source>
        <translation>Magazine</translation>
    </message>
    <message id="443">
        <source>Computer</source>
        <translation>Computer</translation>
    </message>
    <message id="444">
        <source>Aim</source>
        <translation>Aim</translation>
    </message>
    <message id="445">
        <source>Paper</source>
        <translation>Paper</translation>
    </message>
    <message id="446">
        <source>Snow</source>
        <translation>Snow</translation>
    </message>
    <message id="447">
        <source>Magnifier</source>
        <translation>Magnifier</translation>
    </message>
    <message id="448">
        <source>About</source>
        <translation>About</translation>
    </message>
    <message id="449">
        <source>https://orbit.ostrel.example/</source>
        <extracomment>The maker's web site: the About page's link text and target.</extracomment>
        <translation>https://orbit.ostrel.example/</translation>
    </message>
    <message id="450">
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message id="451">
        <source>Cancel</source>
        <translation>Cancel</translation>
    </message>
    <message id="452">
        <source>Apply</source>
        <translation>Apply</translation>
    </message>
    <message id="453">
        <source>Orbit is Starting Up...</source>
        <translation>Orbit is Starting Up...</translation>
    </message>
    <message id="454">
        <source>The selected picture has been deleted. It can not be viewed and transferred.</source>
        <translation>The selected picture has been deleted. It can not be viewed and transferred.</translation>
    </message>
    <message id="455">
        <source>Delete the event?</source>
        <translation>Delete the event?</translation>
    </message>
    <message id="456">
        <source>Delete the picture?</source>
        <translation>Delete the picture?</translation>
    </message>
    <message id="457">
        <source>Delete selected events and pictures?</source>
        <translation>Delete selected events and pictures?</translation>
    </message>
    <message id="458">
        <source>Please enter password.</source>
        <translation>Please enter password.</translation>
    </message>
    <message id="459">
        <source>Password is correct. Please wait.</source>
        <translation>Password is correct. Please wait.</translation>
    </message>
    <message id="460">
        <source>Invalid password. Please try again.</source>
        <translation>Invalid password. Please try again.</translation>
    </message>
    <message id="461">
        <source>Too many failed attempts, wait later to retry.</source>
        <translation>Too many failed attempts, wait later to retry.</translation>
    </message>
    <message id="462">
        <source>Please select a contact before transferring.</source>
        <translation>Please select a contact before transferring.</translation>
    </message>
    <message id="463">
        <source>Please check Skype online.</source>
        <translation>Please check Skype online.</translation>
    </message>
    <message id="464">
        <source>The function is applied to images except 800x 600 dpi.</source>
        <translation>The function is applied to images except 800x 600 dpi.</translation>
    </message>
    <message id="465">
        <source>Check Skype log in and Orbit is allowed to access to Skype.</source>
        <translation>Check Skype log in and Orbit is allowed to access to Skype.</translation>
    </message>
    <message id="466">
        <source>Fail to send &quot;</source>
        <extracomment>Message = 466 + file name + 467 + contact + 468, joined without separators.</extracomment>
        <translation>Fail to send &quot;</translation>
    </message>
    <message id="467">
        <source>&quot; files to &quot;</source>
        <extracomment>Message = 466 + file name + 467 + contact + 468, joined without separators.</extracomment>
        <translation>&quot; files to &quot;</translation>
    </message>
    <message id="468">
        <source>&quot; because the receiver may not have Orbit software. Please press the button &quot;Sending Software&quot; to the receiver for installation.</source>
        <extracomment>Message = 466 + file name + 467 + contact + 468, joined without separators.</extracomment>
        <translation>&quot; because the receiver may not have Orbit software. Please press the button &quot;Sending Software&quot; to the receiver for installation.</translation>
    </message>
    <message id="469">
        <source>&quot;Are you sure to close resident Orbit? It would cause dysfunction of sending pictures and remote monitor.&quot;</source>
        <translation>&quot;Are you sure to close resident Orbit? It would cause dysfunction of sending pictures and remote monitor.&quot;</translation>
    </message>
    <message id="470">
        <source>Intro.</source>
        <translation>Intro.</translation>
    </message>
    <message id="471">
        <source>eng</source>
        <extracomment>Folder of the help pages: &quot;eng&quot; or &quot;cht&quot; (there are no Korean help pages).</extracomment>
        <translation>eng</translation>
    </message>
    <message id="472">
        <source>The picture could not be saved there. Please choose another folder or name.</source>
        <translation>The picture could not be saved there. Please choose another folder or name.</translation>
    </message>
    <message id="473">
        <source>The picture could not be renamed. The name may already be in use, or the folder may not allow changes.</source>
        <translation>The picture could not be renamed. The name may already be in use, or the folder may not allow changes.</translation>
    </message>
    <message id="474">
        <source>The help page could not be found. Please reinstall Orbit.</source>
        <translation>The help page could not be found. Please reinstall Orbit.</translation>
    </message>
    <message id="475">
        <source>Orbit could not save its photo list or settings. Please check that the disk has free space and that the folder can be written to.</source>
        <translation>Orbit could not save its photo list or settings. Please check that the disk has free space and that the folder can be written to.</translation>
    </message>
    <message id="476">
        <source>Yes</source>
        <translation>Yes</translation>
    </message>
    <message id="477">
        <source>No</source>
        <translation>No</translation>
    </message>
    <message id="480">
        <source>한국어</source>
        <extracomment>Language names are written in their own language in every table.</extracomment>
        <translation>한국어</translation>
    </message>
    <message id="481">
        <source>No sound settings program was found.</source>
        <extracomment>Shown when the desktop offers no program for the sound input settings.</extracomment>
        <translation>No sound settings program was found.</translation>
    </message>
    <message id="482">
        <source>Select Path</source>
        <extracomment>Title of the folder chooser of the General settings page.</extracomment>
        <translation>Select Path</translation>
    </message>
    <message id="483">
        <source>Full Screen</source>
        <extracomment>Last entry of the preview size menu: the live picture alone on a whole screen.</extracomment>
        <translation>Full Screen</translation>
    </message>
    <message id="484">
        <source>Frozen</source>
        <extracomment>Mark in a corner of the full-screen picture while it is held still.</extracomment>
        <translation>Frozen</translation>
    </message>
    <message id="485">
        <source>Keys</source>
        <extracomment>Title of the list of keys over the full-screen picture (F1).</extracomment>
        <translation>Keys</translation>
    </message>
    <message id="486">
        <source>Wheel, + or -: zoom into the point under the pointer</source>
        <extracomment>Line of the full-screen key list.</extracomment>
        <translation>Wheel, + or -: zoom into the point under the pointer</translation>
    </message>
    <message id="487">
        <source>Drag: move the enlarged picture</source>
        <extracomment>Line of the full-screen key list.</extracomment>
        <translation>Drag: move the enlarged picture</translation>
    </message>
    <message id="488">
        <source>0 or middle click: the whole picture</source>
        <extracomment>Line of the full-screen key list.</extracomment>
        <translation>0 or middle click: the whole picture</translation>
    </message>
    <message id="489">
        <source>Space: hold the picture still, or go live again</source>
        <extracomment>Line of the full-screen key list.</extracomment>
        <translation>Space: hold the picture still, or go live again</translation>
    </message>
    <message id="490">
        <source>R or Shift+R: turn right or left</source>
        <extracomment>Line of the full-screen key list; the picture turns by a quarter.</extracomment>
        <translation>R or Shift+R: turn right or left</translation>
    </message>
    <message id="491">
        <source>Enter: take a photo</source>
        <extracomment>Line of the full-screen key list.</extracomment>
        <translation>Enter: take a photo</translation>
    </message>
    <message id="492">
        <source>S: show on the next screen</source>
        <extracomment>Line of the full-screen key list.</extracomment>
        <translation>S: show on the next screen</translation>
    </message>
    <message id="493">
        <source>Esc, F11 or double-click: back to the window</source>
        <extracomment>Line of the full-screen key list.</extracomment>
        <translation>Esc, F11 or double-click: back to the window</translation>
    </message>
    <message id="494">
        <source>F1 or ?: show or hide these keys</source>
        <extracomment>Line of the full-screen key list.</extracomment>
        <translation>F1 or ?: show or hide these keys</translation>
    </message>
    <message id="495">
        <source>Share as a camera for other programs</source>
        <extracomment>Check box of the General settings page: other programs (browsers, call programs) can pick the camera's picture.</extracomment>
        <translation>Share as a camera for other programs</translation>
    </message>
    <message id="496">
        <source>PipeWire is not running in this session, and there is no loopback camera.</source>
        <extracomment>Under the sharing check box when it cannot be used.</extracomment>
        <translation>PipeWire is not running in this session, and there is no loopback camera.</translation>
    </message>
    <message id="497">
        <source>The camera is in use by a call.</source>
        <extracomment>Shown to other programs in place of the picture while a Skype call holds the camera.</extracomment>
        <translation>The camera is in use by a call.</translation>
    </message>
    <message id="498">
        <source>No camera is connected.</source>
        <extracomment>Shown to other programs in place of the picture while no camera is plugged in.</extracomment>
        <translation>No camera is connected.</translation>
    </message>
    <message id="499">
        <source>Camera shared with other programs</source>
        <extracomment>Second line of the tray icon's tooltip while the camera is shared.</extracomment>
        <translation>Camera shared with other programs</translation>
    </message>
    <message id="500">
        <source>Minimize</source>
        <extracomment>Title bar button: puts the dialog away into the taskbar; read by screen readers and shown as its tooltip.</extracomment>
        <translation>Minimize</translation>
    </message>
    <message id="501">
        <source>Close</source>
        <extracomment>Title bar button: closes the dialog (Orbit goes on in the tray).</extracomment>
        <translation>Close</translation>
    </message>
    <message id="502">
        <source>Reset Zoom</source>
        <extracomment>The 1:1 button beside the zoom slider.</extracomment>
        <translation>Reset Zoom</translation>
    </message>
    <message id="503">
        <source>Zoom</source>
        <extracomment>Name of the zoom slider and the zoom field, for screen readers.</extracomment>
        <translation>Zoom</translation>
    </message>
    <message id="504">
        <source>Show List</source>
        <extracomment>The button that shows the photo list again.</extracomment>
        <translation>Show List</translation>
    </message>
    <message id="505">
        <source>Hide List</source>
        <extracomment>The button that hides the photo list.</extracomment>
        <translation>Hide List</translation>
    </message>
    <message id="506">
        <source>Photo List</source>
        <extracomment>Name of the list of photos, for screen readers.</extracomment>
        <translation>Photo List</translation>
    </message>
    <message id="507">
        <source>Sends the selected photo to %1.</source>
        <extracomment>Description of Send Photo for screen readers; %1 is the friend chosen under Send To.</extracomment>
        <translation>Sends the selected photo to %1.</translation>
    </message>
    <message id="508">
        <source>Choose a friend under Send To first.</source>
        <extracomment>Description of Send Photo while no friend is chosen.</extracomment>
        <translation>Choose a friend under Send To first.</translation>
    </message>
    <message id="509">
        <source>Succeeded</source>
        <extracomment>What the green check in a row's Status column says to a screen reader.</extracomment>
        <translation>Succeeded</translation>
    </message>
    <message id="510">
        <source>Not completed</source>
        <extracomment>What the red cross in a row's Status column says to a screen reader: the transfer failed or was cancelled.</extracomment>
        <translation>Not completed</translation>
    </message>
    <message id="511">
        <source>Double-click or press F11 for the full-screen view.</source>
        <extracomment>Description of the preview for screen readers and its tooltip.</extracomment>
        <translation>Double-click or press F11 for the full-screen view.</translation>
    </message>
    <message id="512">
        <source>Custom file name</source>
        <extracomment>Name of the file name field of the General settings page, for screen readers.</extracomment>
        <translation>Custom file name</translation>
    </message>
    <message id="513">
        <source>Press Esc to cancel the transfer.</source>
        <extracomment>Description of a row's Cancel button for screen readers.</extracomment>
        <translation>Press Esc to cancel the transfer.</translation>
    </message>
</context>
</TS>
